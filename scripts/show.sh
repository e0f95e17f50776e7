#!/usr/bin/env bash
# Installs what is missing, builds the show and starts it from the source
# folder, where it finds pak/. Our Glide's and Win32's LUMIVEX_* variables
# pass through (see README.md).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target lumivex
exec ./build/app/lumivex
