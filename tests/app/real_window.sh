#!/usr/bin/env bash
# The program as a person meets it, in a real X server (Xvfb): the dialog
# comes up with its labels drawn, Enter starts the show, the main window
# shows exactly a frame the show drew, a key ends it with exit code 0; and Esc in
# the dialog ends the program with 0 without showing the window.
# Usage: real_window.sh path/to/lumivex source-dir [screenshot-dir]
set -uo pipefail
lumivex=$1
source_dir=$2
shots=${3:-$(mktemp -d)}
mkdir -p "$shots"

for tool in Xvfb xdotool import convert compare; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

. "$(dirname "$0")/../xvfb.sh"

# Waits for a visible window with exactly this title; prints its id.
find_window() {
  timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}

# The mean brightness of a picture, 0 (black) to 1 (white).
brightness() { convert "$1" -format '%[fx:mean]' info:; }

start_lumivex() {
  (cd "$source_dir" && exec env LUMIVEX_OUTPUT=window "$@" "$lumivex") 2>"$work/stderr" &
  lumivex_pid=$!
}

wait_exit() {
  for _ in $(seq 200); do
    kill -0 "$lumivex_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$lumivex_pid" 2>/dev/null && fail "$1: the program did not end"
  wait "$lumivex_pid"
  local code=$?
  lumivex_pid=
  [ "$code" -eq 0 ] || fail "$1: exit code $code"
}

# --- Start, the show, a key ---
# Ten frames a second, so that a screenshot finds a frame standing still, and
# each frame dumped to compare it with.
start_lumivex LUMIVEX_SWAP_INTERVAL=6 LUMIVEX_DUMP_DIR="$work/dumps" LUMIVEX_DUMP_FRAMES=45-99
dialog=$(find_window Tobrek)
[ -n "$dialog" ] || fail "the start-up dialog did not appear"
sleep 0.5
timeout 10 import -window "$dialog" "$shots/dialog.png" || fail "no screenshot of the dialog"
b=$(brightness "$shots/dialog.png")
awk "BEGIN { exit !($b > 0.5) }" || fail "the dialog is not drawn (brightness $b)"
# The labels are drawn, not only the faces: inside the Start button and the
# first line of text (pixels of the 300x380 client area) there is more than
# one colour.
[ "$(convert "$shots/dialog.png" -format %wx%h info:)" = 300x380 ] || fail "the dialog is not 300x380"
for area in 169x15+27+337 140x11+77+51; do
  n=$(convert "$shots/dialog.png" -crop "$area" +repage -format %k info:)
  [ "$n" -ge 2 ] || fail "no text drawn in $area of the dialog ($shots/dialog.png)"
done

# A frame is dumped after it is shown, and a slow build's dumps lag behind
# the clock: the screenshot waits for the dumps to begin (the logo comes into
# view from frame 45 on), the comparison for a dump after it has begun.
wait_dumps() { for _ in $(seq 300); do [ "$(ls "$work/dumps" 2>/dev/null | wc -l)" -ge "$1" ] && break; sleep 0.1; done; }
timeout 20 xdotool windowfocus --sync "$dialog" key Return
main=$(find_window "Lumivex by Tobrek")
[ -n "$main" ] || fail "Enter did not start the show"
wait_dumps 3
timeout 10 import -window "$main" "$shots/show.png" || fail "no screenshot of the show"
wait_dumps $(($(ls "$work/dumps" | wc -l) + 2))
# The window shows a frame that was drawn, pixel for pixel (SDL widens the
# 16-bit colours its own way: within 4%), and a lit one.
for frame in "$work"/dumps/frame-*.png; do
  [ "$(compare -metric AE -fuzz 4% "$shots/show.png" "$frame" null: 2>&1)" = 0 ] && matched=$frame
done
[ -n "${matched:-}" ] || fail "the show's window holds none of the frames drawn ($shots/show.png)"
lit=$(convert "$shots/show.png" -channel RGB -threshold 5% -separate -evaluate-sequence max -format '%[fx:mean]' info:)
awk "BEGIN { exit !($lit > 0.01) }" || fail "the show's window is black ($shots/show.png)"
timeout 20 xdotool windowfocus --sync "$main" key space
wait_exit "a key in the show"

# --- Esc in the dialog ---
start_lumivex
dialog=$(find_window Tobrek)
[ -n "$dialog" ] || fail "the start-up dialog did not appear the second time"
timeout 20 xdotool windowfocus --sync "$dialog" key Escape
wait_exit "Esc in the dialog"
xdotool search --onlyvisible --name '^Lumivex by Tobrek$' >/dev/null 2>&1 &&
  fail "Esc showed the main window"

echo "passed: dialog, show and key under Xvfb (screenshots in $shots)"
