#!/usr/bin/env bash
# Renders the golden frames anew from the committed data and replaces the
# reference images here. Run it only when the picture is meant to change,
# and look at every image before committing it.
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake -S . -B build >/dev/null
cmake --build build -j2 --target show_probe
dumps=$(mktemp -d)
trap 'rm -rf "$dumps"' EXIT
# frames.txt lists the golden frames drawn at 640x480, resolution2.txt those
# drawn at twice that: frame number and image name. A key in the
# second-to-last frame listed ends the pass after the last.
golden() {
  local list=tests/golden/$1 resolution=$2
  local frames last
  frames=$(cut -d' ' -f1 "$list" | paste -sd,)
  last=$(cut -d' ' -f1 "$list" | sort -n | tail -1)
  rm -f "$dumps"/*
  LUMIVEX_OUTPUT=offscreen LUMIVEX_SWAP_INTERVAL=0 LUMIVEX_RESOLUTION=$resolution PROBE_KEY_IN_FRAME=$((last - 1)) \
    LUMIVEX_DUMP_DIR="$dumps" LUMIVEX_DUMP_FRAMES="$frames" ./build/tests/show/show_probe >/dev/null
  while read -r frame name; do
    # Recompressed, without time stamps; the test compares pixels.
    convert "$dumps/frame-$(printf %06d "$frame").png" -strip -define png:exclude-chunks=date,time \
      -define png:compression-level=9 "tests/golden/$name.png"
    echo "tests/golden/$name.png  (frame $frame)"
  done <"$list"
}
golden frames.txt 1
golden resolution2.txt 2
