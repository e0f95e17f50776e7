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
# The show's whole first pass: a key in frame 3598 ends it after frame 3599.
# frames.txt lists the golden frames: frame number and image name.
list=$(cut -d' ' -f1 tests/golden/frames.txt | paste -sd,)
LUMIVEX_OUTPUT=offscreen LUMIVEX_SWAP_INTERVAL=0 PROBE_KEY_IN_FRAME=3598 \
  LUMIVEX_DUMP_DIR="$dumps" LUMIVEX_DUMP_FRAMES="$list" ./build/tests/show/show_probe >/dev/null
while read -r frame name; do
  # Recompressed: the dumps are stored uncompressed; the test compares pixels.
  convert "$dumps/frame-$(printf %06d "$frame").png" -strip -define png:exclude-chunks=date,time \
    -define png:compression-level=9 "tests/golden/$name.png"
  echo "tests/golden/$name.png  (frame $frame)"
done <tests/golden/frames.txt
