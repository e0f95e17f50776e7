#!/usr/bin/env bash
# Builds everything with clang, the address and undefined-behaviour
# sanitizers and the fuzz targets (in build-sanitize/), runs every test there
# with leak detection on, then each fuzz target for SECONDS (default 60) on
# its corpus. The Windows cross builds are left to scripts/test.sh.
# Usage: sanitize.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh sanitize
export CC=clang CXX=clang++
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMIVEX_SANITIZE=address,undefined -DLUMIVEX_FUZZ=ON -DLUMIVEX_TESTS=ON
cmake --build build-sanitize -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Without a display SDL opens its windows through Mesa's EGL, and unloads it
# at SDL_Quit with Mesa's allocations still held: LeakSanitizer then cannot
# name the library they came from to suppress them. Loaded from the start,
# Mesa stays loaded and its memory reachable.
preload=""
for lib in libEGL.so.1 libEGL_mesa.so.0 dri/swrast_dri.so; do
  path=/usr/lib/$(uname -m)-linux-gnu/$lib
  [ ! -e "$path" ] || preload+="$path "
done
LD_PRELOAD="$preload" ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)"
LUMIVEX_FUZZ_BUILD=build-sanitize bash scripts/fuzz.sh "${1:-60}"
