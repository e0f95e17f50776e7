#!/usr/bin/env bash
# Installs the Debian packages that building (and, with "test", testing;
# with "sanitize", the clang sanitizer and fuzzer builds; with "web", the web
# page; with "bench", the side-by-side benchmark against Mesa's llvmpipe)
# Lumivex needs, skipping those already present.
# Usage: deps.sh [test|sanitize|web|bench]
set -euo pipefail

packages=(g++ cmake make pkg-config libsdl2-dev libsdl2-ttf-dev libfontconfig-dev fonts-liberation libstb-dev
          libavformat-dev libavcodec-dev libavutil-dev libswscale-dev binutils-mingw-w64-x86-64)
# The page's build runs the resource compiler and its preprocessor on the host.
web=(emscripten node-acorn binutils-mingw-w64-x86-64 gcc)
if [ "${1:-}" = web ]; then
  packages=(cmake make libstb-dev "${web[@]}")
fi
if [ "${1:-}" = test ]; then
  packages+=(libgtest-dev libbenchmark-dev libpng-dev zlib1g-dev libtsan2 ffmpeg python3 clang-format xvfb xauth xdotool
             x11-utils imagemagick mingw-w64 wine64 fonts-wine zip dpkg-dev file desktop-file-utils "${web[@]}"
             chromium)
  # The 32-bit Windows program runs under Debian's 32-bit Wine.
  packages+=(wine32:i386)
  # The browser tests' npm packages; a node that brings its own npm is kept.
  command -v npm > /dev/null || packages+=(npm)
fi
if [ "${1:-}" = sanitize ]; then
  packages+=(clang libclang-rt-14-dev llvm libgtest-dev libbenchmark-dev libpng-dev zlib1g-dev python3 xvfb xauth xdotool
             imagemagick)
fi
if [ "${1:-}" = bench ]; then
  # The benchmarks are configured with the tests, which need their libraries.
  packages+=(libosmesa6-dev gnuplot-nox libgtest-dev libbenchmark-dev libpng-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  # Packages of another architecture come from its own lists.
  for p in "${missing[@]}"; do
    arch=${p#*:}
    [ "$arch" = "$p" ] || dpkg --print-foreign-architectures | grep -qx "$arch" || $sudo dpkg --add-architecture "$arch"
  done
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The browser tests' driver, as the lock file pins it.
web_tests="$(dirname "$0")/../tests/web"
if [ "${1:-}" = test ] && [ ! "$web_tests/node_modules/.package-lock.json" -nt "$web_tests/package-lock.json" ]; then
  (cd "$web_tests" && npm ci --no-audit --no-fund --loglevel=error)
fi
