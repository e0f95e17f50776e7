#!/usr/bin/env bash
# tools/contact_sheet.sh ends with 0 and writes an 8-bit PNG whose frames are
# labelled: the strip under the first frame is not one flat colour.
# Usage: contact_sheet.sh source-dir
set -uo pipefail
cd "$1"
command -v montage >/dev/null || { echo "skipped: ImageMagick is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bash tools/contact_sheet.sh "$work/sheet.png" >/dev/null 2>"$work/err" || { echo "FAILED: status $?"; cat "$work/err"; exit 1; }
depth=$(identify -format '%z' "$work/sheet.png")
[ "$depth" = 8 ] || { echo "FAILED: a $depth-bit PNG"; exit 1; }
# Tiles are 192x144 with a 4-pixel border; the label is drawn under each.
spread=$(convert "$work/sheet.png" -crop 192x14+4+150 +repage -format '%[fx:standard_deviation]' info:)
awk "BEGIN { exit !($spread > 0.02) }" || { echo "FAILED: no label under the first frame"; exit 1; }
echo "passed: an 8-bit sheet with labels"
