#!/usr/bin/env bash
# Installs what is missing, builds the show and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DLUMIVEX_TESTS=OFF
cmake --build build -j"$(nproc)" --target lumivex 2>/dev/null || {
  echo "The show is not there yet: the build has no lumivex program."; exit 0; }
exec ./build/app/lumivex
