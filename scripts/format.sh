#!/usr/bin/env bash
# Formats C++ sources with the repository's .clang-format: the files named,
# or with no arguments every source file git knows. --check only reports the
# files that would change and exits 1 if there are any.
set -euo pipefail
cd "$(dirname "$0")/.."
check=0
if [ "${1:-}" = --check ]; then check=1; shift; fi
if [ $# -eq 0 ]; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
  files=("$@")
fi
if [ "$check" = 1 ]; then
  clang-format --dry-run --Werror "${files[@]}"
else
  clang-format -i "${files[@]}"
fi
