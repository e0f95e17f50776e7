#!/usr/bin/env bash
# The Glide tests that draw, built with ThreadSanitizer into build-tsan: the
# drawing threads, their hand-over of each frame, their start and their end.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMIVEX_SANITIZE=thread >/dev/null
cmake --build build-tsan -j"$(nproc)" --target glide_tests
TSAN_OPTIONS=halt_on_error=1 ./build-tsan/tests/glide/glide_tests \
  --gtest_filter='BandsTest.*:GlideTest.*:TextureTest.*:SwapTest.*'
