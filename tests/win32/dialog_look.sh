#!/usr/bin/env bash
# The start-up dialog as a person sees it, in a real X server (Xvfb),
# compared pixel by pixel with the committed picture of it; Esc ends the
# program with 0 without showing the window. A difference is
# written beside the screenshot. Usage:
#   dialog_look.sh path/to/lumivex source-dir expected.png [screenshot-dir]
# With UPDATE=1 the screenshot replaces the expected picture instead.
set -uo pipefail
lumivex=$1
source_dir=$2
expected=$3
shots=${4:-$(mktemp -d)}
mkdir -p "$shots"
xvfb_tools="import compare"
. "$(dirname "$0")/../xvfb.sh"

(cd "$source_dir" && LUMIVEX_OUTPUT=window exec "$lumivex") 2>"$work/lumivex.err" &
pid=$!
pids+=($pid)
dialog=$(find_window Tobrek)
[ -n "$dialog" ] || fail "the start-up dialog did not appear"
sleep 0.5
timeout 10 import -window "$dialog" "$shots/dialog-look.png" || fail "no screenshot of the dialog"
# Esc ends the program with 0, the show's window never shown.
timeout 20 xdotool windowfocus --sync "$dialog" key Escape
ends_within 20 $pid "Esc in the dialog"
[ "$status" -eq 0 ] || fail "Esc in the dialog: exit code $status"
xdotool search --onlyvisible --name '^Lumivex by Tobrek$' >/dev/null 2>&1 && fail "Esc showed the main window"

if [ "${UPDATE:-0}" = 1 ]; then
  cp "$shots/dialog-look.png" "$expected"
  echo "updated $expected"
  exit 0
fi
# Every pixel must match: the dialog is drawn from the same resource with the
# same font, and the X server draws nothing of its own into the window.
differ=$(compare -metric AE "$expected" "$shots/dialog-look.png" "$shots/dialog-look-diff.png" 2>&1)
[ "$differ" = 0 ] || fail "$differ pixels differ from $expected (see $shots/dialog-look-diff.png)"
echo "passed: the dialog looks as $expected"
