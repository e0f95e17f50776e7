#!/usr/bin/env bash
# Builds the show as a web page in out/web/ (index.html, lumivex.js,
# lumivex.wasm, lumivex.data), servable by any static web server:
#   bash scripts/build-web.sh && cd out/web && python3 -m http.server
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh web
export NODE_PATH=/usr/share/nodejs
cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-web.cmake
cmake --build build-web -j"$(nproc)" --target lumivex
mkdir -p out/web
cp build-web/app/index.html build-web/app/lumivex.js build-web/app/lumivex.wasm build-web/app/lumivex.data out/web/
echo "out/web/ is ready: (cd out/web && python3 -m http.server 8000), then open http://localhost:8000/"
