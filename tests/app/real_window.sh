#!/usr/bin/env bash
# The program as a person meets it, in a real X server (Xvfb): the start-up
# dialog looks as the committed picture of it, pixel for pixel; Enter in it
# starts the show, the main window shows exactly a frame the show drew, a key
# ends it with exit code 0; Esc in the dialog ends the program with 0 without
# showing the window. Usage:
#   real_window.sh path/to/lumivex source-dir dialog.png [screenshot-dir]
# With UPDATE=1 the dialog's screenshot replaces dialog.png instead.
set -uo pipefail
lumivex=$1
source_dir=$2
expected=$3
shots=${4:-$(mktemp -d)}
mkdir -p "$shots"
xvfb_tools="import convert compare"
. "$(dirname "$0")/../xvfb.sh"

# Ten frames a second, so that a screenshot finds a frame standing still, and
# each frame dumped to compare it with.
(cd "$source_dir" && exec env LUMIVEX_OUTPUT=window LUMIVEX_SWAP_INTERVAL=6 LUMIVEX_DUMP_DIR="$work/dumps" \
  LUMIVEX_DUMP_FRAMES=45-299 "$lumivex") 2>"$work/lumivex.err" &
pid=$!
pids+=($pid)
dialog=$(find_window Tobrek)
[ -n "$dialog" ] || fail "the start-up dialog did not appear"
sleep 0.5
timeout 10 import -window "$dialog" "$shots/dialog-look.png" || fail "no screenshot of the dialog"
if [ "${UPDATE:-0}" = 1 ]; then
  cp "$shots/dialog-look.png" "$expected" && echo "updated $expected"
else
  # The dialog is drawn from the same resource with the same font, and the X
  # server draws nothing of its own into the window.
  differ=$(compare -metric AE "$expected" "$shots/dialog-look.png" "$shots/dialog-look-diff.png" 2>&1)
  [ "$differ" = 0 ] || fail "the dialog: $differ pixels differ from $expected (see $shots/dialog-look-diff.png)"
fi
keep_trying 20 timeout 5 xdotool windowfocus --sync "$dialog" key Return || fail "Enter in the dialog: $tried_err"
main=$(find_window "Lumivex by Tobrek")
[ -n "$main" ] || fail "Enter did not start the show"
# The window shows a frame that was drawn, pixel for pixel (SDL widens the
# 16-bit colours its own way: within 4%), and a lit one. The logo comes into
# view from frame 45 on, where the dumps begin, and is well lit some twenty
# frames later; a frame is dumped after it is shown, and a sanitizer build
# draws and dumps slowly, so the shot waits for the dumps, and each comparison
# for the dump of the frame it caught.
dumped() { [ "$(ls "$work"/dumps 2>/dev/null | wc -l)" -ge 20 ]; }
keep_trying 60 dumped || fail "fewer than 20 frames dumped in 60 s: $(ls "$work"/dumps 2>/dev/null | tail -n 1)"
# SDL makes the window anew when the device opens (its renderer wants a GL
# window): the one seen at first may be gone.
main=$(find_window "Lumivex by Tobrek")
for _ in $(seq 20); do
  timeout 10 import -window "$main" "$shots/show.png" || fail "no screenshot of the show"
  sleep 1
  for frame in $(ls "$work"/dumps/frame-*.png 2>/dev/null | tail -n 30); do  # the latest drawn
    [ "$(compare -metric AE -fuzz 4% "$shots/show.png" "$frame" null: 2>&1)" = 0 ] && matched=$frame && break
  done
  [ -n "${matched:-}" ] && break
done
[ -n "${matched:-}" ] || fail "the show's window holds none of the frames drawn ($shots/show.png)"
lit_above 0.01 "$shots/show.png" || fail "the show's window is black ($shots/show.png)"
keep_trying 20 timeout 5 xdotool windowfocus --sync "$main" key space || fail "a key in the show: $tried_err"
ends_within 20 $pid "a key in the show"
[ "$status" -eq 0 ] || fail "a key in the show: exit code $status"

(cd "$source_dir" && LUMIVEX_OUTPUT=window exec "$lumivex") 2>"$work/esc.err" &
pid=$!
pids+=($pid)
dialog=$(find_window Tobrek)
keep_trying 20 timeout 5 xdotool windowfocus --sync "$dialog" key Escape || fail "Esc in the dialog: $tried_err"
ends_within 20 $pid "Esc in the dialog"
[ "$status" -eq 0 ] || fail "Esc in the dialog: exit code $status"
xdotool search --onlyvisible --name '^Lumivex by Tobrek$' >/dev/null 2>&1 && fail "Esc showed the main window"

echo "passed: the dialog's look, Enter, the show and a key; Esc in the dialog (screenshots in $shots)"
