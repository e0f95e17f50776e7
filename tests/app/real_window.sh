#!/usr/bin/env bash
# The program as a person meets it, in a real X server (Xvfb): the dialog
# comes up, Enter starts the show, the show is drawn in the main window (a
# screenshot that is not black), a key ends it with exit code 0; and Esc in
# the dialog ends the program with 0 without showing the window.
# Usage: real_window.sh path/to/lumivex source-dir [screenshot-dir]
set -uo pipefail
lumivex=$1
source_dir=$2
shots=${3:-$(mktemp -d)}
mkdir -p "$shots"

for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=
lumivex_pid=
cleanup() {
  [ -n "$lumivex_pid" ] && kill "$lumivex_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAILED: $*"; [ -s "$work/stderr" ] && sed 's/^/  lumivex: /' "$work/stderr"; exit 1; }

# Xvfb chooses a free display itself and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
unset WAYLAND_DISPLAY SDL_VIDEODRIVER LUMIVEX_DIALOG LUMIVEX_OUTPUT LUMIVEX_MESSAGEBOX

# Waits for a visible window with exactly this title; prints its id.
find_window() {
  timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}

# The mean brightness of a picture, 0 (black) to 1 (white).
brightness() { convert "$1" -format '%[fx:mean]' info:; }

start_lumivex() {
  (cd "$source_dir" && LUMIVEX_OUTPUT=window exec "$lumivex") 2>"$work/stderr" &
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
start_lumivex
dialog=$(find_window Tobrek)
[ -n "$dialog" ] || fail "the start-up dialog did not appear"
sleep 0.5
timeout 10 import -window "$dialog" "$shots/dialog.png" || fail "no screenshot of the dialog"
b=$(brightness "$shots/dialog.png")
awk "BEGIN { exit !($b > 0.5) }" || fail "the dialog is not drawn (brightness $b)"

timeout 20 xdotool windowfocus --sync "$dialog" key Return
main=$(find_window "Lumivex by Tobrek")
[ -n "$main" ] || fail "Enter did not start the show"
sleep 3
timeout 10 import -window "$main" "$shots/show.png" || fail "no screenshot of the show"
b=$(brightness "$shots/show.png")
awk "BEGIN { exit !($b > 0.005) }" || fail "the show's window is black (brightness $b)"
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
