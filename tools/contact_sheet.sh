#!/usr/bin/env bash
# Renders one whole pass of the show offscreen and puts every 30th frame on
# one contact sheet (ImageMagick's montage): the whole show at a glance.
# Usage: tools/contact_sheet.sh [sheet.png]   (default out/contact-sheet.png)
set -euo pipefail
cd "$(dirname "$0")/.."
sheet=${1:-out/contact-sheet.png}
cmake -S . -B build >/dev/null
cmake --build build -j2 --target show_bench
frames=$(mktemp -d)
# The sheet is made under another name and renamed when whole: a full disk or
# a kill leaves the last sheet, or none, never a broken one.
trap 'rm -rf "$frames" "$sheet.part"' EXIT
LUMIVEX_OUTPUT=offscreen LUMIVEX_SWAP_INTERVAL=0 LUMIVEX_DUMP_DIR="$frames" \
  LUMIVEX_DUMP_FRAMES="$(seq -s, 0 30 3599)" ./build/bench/show/show_bench >/dev/null
dumped=$(find "$frames" -name 'frame-*.png' | wc -l)
[ "$dumped" = 120 ] || { echo "contact_sheet.sh: only $dumped of the 120 frames could be dumped" >&2; exit 1; }
mkdir -p "$(dirname "$sheet")"
# Ten frames a row, each labelled with its frame number: logo 0-719, cubes
# 720-1439, torus 1440-3599. ImageMagick's own default font is often not
# installed; the labels use the one scripts/deps.sh installs for the dialog.
font=/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf
command -v fc-match >/dev/null && font=$(fc-match -f '%{file}' 'Liberation Sans')
montage -label '%t' -font "$font" -pointsize 14 "$frames"/frame-*.png \
  -tile 10x -geometry 192x144+4+4 -background '#202020' -fill white -depth 8 "PNG:$sheet.part"
mv -f "$sheet.part" "$sheet"
echo "$sheet"
