#!/usr/bin/env bash
# The Glide tests and the show's, built with ThreadSanitizer into build-tsan:
# the drawing threads, their hand-over of each frame, their start and their
# end, in the library's own tests and under the show as it runs (the probe
# that runs it is built with ThreadSanitizer too, and fails on a report).
# The whole passes are left out: at ThreadSanitizer's pace they take many
# minutes and draw nothing the shorter runs do not.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMIVEX_SANITIZE=thread -DLUMIVEX_TESTS=ON >/dev/null
cmake --build build-tsan -j"$(nproc)" --target glide_tests show_test show_probe
export TSAN_OPTIONS=halt_on_error=1
./build-tsan/tests/glide/glide_tests
./build-tsan/tests/show/show_test --gtest_filter='-WholePass.*'
