#!/usr/bin/env bash
# Runs each fuzz target (fuzz/) for SECONDS on its seed corpus, one after the
# other, building them first with clang in build-fuzz/ (or in the build tree
# LUMIVEX_FUZZ_BUILD names). What the fuzzers learn goes to out/fuzz/NAME/,
# never into the committed corpus; an input that fails a target is written to
# out/fuzz/crash-NAME-* and ends the script with an error: fix it, and keep
# the input in tests/fuzz/NAME/ so that the normal suite replays it.
# Usage: fuzz.sh SECONDS [NAME...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: fuzz.sh SECONDS [NAME...]}
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(mesh tdf trace settings)

build=${LUMIVEX_FUZZ_BUILD:-build-fuzz}
if [ -z "${LUMIVEX_FUZZ_BUILD:-}" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMIVEX_FUZZ=ON >/dev/null
  cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0}
failed=0
for name in "${targets[@]}"; do
  work=out/fuzz/$name
  mkdir -p "$work"
  echo "== fuzz_$name for ${seconds}s"
  # The reader scans a mesh for each tag: inputs as long as the torus would
  # cut the speed to hundreds a second.
  limit=()
  [ "$name" = mesh ] && limit=(-max_len=16384)
  # Stdout and stderr of the readers themselves are closed (the reports of
  # bad settings would drown the fuzzer's); the sanitizers still report.
  if ! "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=30 -close_fd_mask=3 -print_final_stats=1 \
      "${limit[@]}" -dict="fuzz/dict/$name.dict" -artifact_prefix="out/fuzz/crash-$name-" "$work" "fuzz/corpus/$name"; then
    echo "fuzz_$name failed: see out/fuzz/crash-$name-*" >&2
    failed=1
  fi
done
exit $failed
