#!/usr/bin/env bash
# The README's first command on a machine that has only the show's packages:
# its configure step must not need the tests' and benchmarks' packages. They
# are hidden from CMake here, as on a fresh machine, rather than removed; then
# the show is built in a folder of its own and plays a few frames offscreen.
# Usage: first_command.sh [build folder]   (default: build-first)
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/deps.sh
build=${1:-build-first}
rm -rf "$build"
said=$(cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
         -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON -DCMAKE_DISABLE_FIND_PACKAGE_PNG=ON 2>&1 >/dev/null)
if ! grep -q "Tests and benchmarks left out" <<<"$said"; then
  echo "first_command: the configure step did not say that the tests were left out: $said" >&2
  exit 1
fi
cmake --build "$build" -j"$(nproc)" --target lumivex
LUMIVEX_DIALOG=start LUMIVEX_OUTPUT=offscreen LUMIVEX_SWAP_INTERVAL=0 LUMIVEX_KEY_AT_FRAME=30 "$build/app/lumivex"
echo "first_command: the show was built and played without the tests' packages"
