#!/usr/bin/env bash
# Makes the README's pictures of the output settings (docs/looks-*.png): the
# same torus frame as drawn by default, through the card's filter, in true
# colour and at twice the resolution (a crop of each, side by side), and a
# crop four times enlarged by default, with the filter and in true colour.
# Needs ImageMagick.
# Usage: tools/looks.sh
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build >/dev/null
cmake --build build -j2 --target lumivex >/dev/null
frames=$(mktemp -d)
# Each picture is made under another name beside it and renamed when whole: a
# full disk or a kill never leaves a broken one.
trap 'rm -rf "$frames" docs/looks-*.png.part' EXIT
frame=1500  # the torus, with its gradients and texture
dump() {  # name, then settings
  local name=$1
  shift
  env LUMIVEX_DIALOG=start LUMIVEX_OUTPUT=offscreen LUMIVEX_SWAP_INTERVAL=0 LUMIVEX_KEY_AT_FRAME=$frame \
    LUMIVEX_DUMP_DIR="$frames/$name" LUMIVEX_DUMP_FRAMES=$frame "$@" ./build/app/lumivex >/dev/null
  echo "$frames/$name/frame-$(printf %06d $frame).png"
}
default=$(dump default)
card=$(dump card LUMIVEX_FILTER=card)
true=$(dump true LUMIVEX_COLOUR=32)
double=$(dump double LUMIVEX_RESOLUTION=2)
mkdir -p docs
# A 200x150 crop of the 640x480 screen, shown twice enlarged; at resolution 2
# the same place is 400x300 pixels of its own.
crop=200x150+60+40
montage -label 'default' "$default[$crop]" -label 'LUMIVEX_FILTER=card' "$card[$crop]" \
  -label 'LUMIVEX_COLOUR=32' "$true[$crop]" -label 'LUMIVEX_RESOLUTION=2' "$double[400x300+120+80]" \
  -geometry 400x300+4+4 -filter point -tile 2x -background '#202020' -fill white -font DejaVu-Sans -pointsize 14 PNG:docs/looks-side-by-side.png.part
zoom=120x60+80+90
montage -label 'default, 4x' "$default[$zoom]" -label 'LUMIVEX_FILTER=card, 4x' "$card[$zoom]" \
  -label 'LUMIVEX_COLOUR=32, 4x' "$true[$zoom]" -filter point -geometry 480x240+4+4 -tile 3x -background '#202020' -fill white -font DejaVu-Sans \
  -pointsize 14 PNG:docs/looks-zoom.png.part
mv -f docs/looks-side-by-side.png.part docs/looks-side-by-side.png
mv -f docs/looks-zoom.png.part docs/looks-zoom.png
echo docs/looks-side-by-side.png docs/looks-zoom.png
