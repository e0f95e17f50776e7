#!/usr/bin/env bash
# Alt+Enter in the running show, on a bare X server (Xvfb) of 1280x720: from
# the window to the full screen and back, and from a full screen at the start
# to a 640x480 window. The show goes on through every switch (frames still
# come, the picture is lit), the pointer shows over the window and not over
# the full screen, and then a key ends the show with 0. Run in the source
# folder, Start chosen in the dialog with Enter:
#   alt_enter.sh path/to/lumivex
#   alt_enter.sh wine-loader path/to/lumivex.exe     (with the Wine cases' settings)
set -uo pipefail
xvfb_tools="convert ffmpeg xwininfo"
if [ -n "${WINETEST_PREFIX:-}" ]; then
  . "$(dirname "$0")/../wine/wine_lib.sh"
else
  . "$(dirname "$0")/../xvfb.sh"
fi
program=("$@")
start_xvfb 1280x720
full="0 0 1280 720"

# The screen as a person sees it, the pointer drawn in.
screen() { timeout 10 ffmpeg -loglevel error -y -f x11grab -draw_mouse 1 -video_size 1280x720 -i "$DISPLAY" \
  -frames:v 1 "$work/screen.png"; }
swaps() { tr -d '\r' <"$work/trace.txt" | grep -c '^grBufferSwap'; }
# is_window: a 640x480 client area, not covering the screen.
is_window() { [[ $(geometry "$main") == *" 640 480" ]]; }
is_full() { [ "$(geometry "$main")" = "$full" ]; }

# switch_to is_window|is_full WHAT: Alt+Enter, then waits for the window to
# take the shape and for frames to come after it.
switch_to() {
  local before
  xdotool key alt+Return
  keep_trying 10 "$1" || fail "Alt+Enter to $2: the window is at $(geometry "$main")"
  before=$(swaps)
  keep_trying 10 eval '[ "$(swaps)" -gt $((before + 10)) ]' || fail "Alt+Enter to $2: the show stopped"
  kill -0 "$pid" 2>/dev/null || fail "Alt+Enter to $2 ended the program"
}

# pointer_at X Y SHOWN: the pointer moved to X, Y is seen (1) or not (0) in
# the square below and right of it, a place that is black without it.
pointer_at() {
  local x=$1 y=$2 shown=$3
  xdotool mousemove "$x" "$y"
  keep_trying 5 eval 'screen && awk -v s="$(lit_share "$work/screen.png" 32x32+$x+$y)" -v want=$shown "BEGIN { exit !((s > 0) == want) }"' ||
    fail "the pointer at $x, $y is $([ "$shown" = 1 ] && echo hidden || echo shown) ($work/screen.png)"
}
# Over the window's corner: the logo's frames are black there.
pointer_in_window() {
  local x y
  read -r x y _ <<<"$(geometry "$main")"
  pointer_at $((x + 8)) $((y + 8)) 1
}

# start OUTPUT: the show, paced, its calls logged (swaps only).
start() {
  : >"$work/trace.txt"
  env LUMIVEX_OUTPUT=$1 LUMIVEX_TRACE="$work/trace.txt" LUMIVEX_TRACE_FRAMES=0 "${program[@]}" \
    >"$work/program.out" 2>"$work/program.err" &
  pid=$!
  pids+=($pid)
  dialog=$(find_window Tobrek 60)
  [ -n "$dialog" ] || fail "the start-up dialog did not appear ($1); the program $(kill -0 "$pid" 2>/dev/null &&
    echo still runs || echo has ended)"
  keep_trying 20 timeout 5 xdotool windowfocus --sync "$dialog" key Return || fail "Enter in the dialog: $tried_err"
  main=$(find_window "Lumivex by Tobrek" 30)
  [ -n "$main" ] || fail "Start did not show the show's window"
  keep_trying 20 timeout 5 xdotool windowfocus --sync "$main" || fail "the show's window took no focus: $tried_err"
}

ends_with_key() {
  xdotool key space
  ends_within 30 "$pid" "a key after Alt+Enter"
  [ "$status" -eq 0 ] || fail "a key after Alt+Enter: exit code $status"
}

start window
keep_trying 5 is_window || fail "the window opened at $(geometry "$main")"
pointer_in_window
switch_to is_full "the full screen"
keep_trying 5 eval 'screen && lit_above 0.005 "$work/screen.png" 960x720+160+0' ||
  fail "the full screen shows no picture ($work/screen.png)"  # the logo comes from frame 45 on
pointer_at 20 300 0  # on the bar beside the picture
switch_to is_window "the window"
pointer_in_window
ends_with_key

start fullscreen
keep_trying 5 is_full || fail "the full screen opened at $(geometry "$main"), not $full"
pointer_at 20 300 0
switch_to is_window "a window from the full screen"
pointer_in_window
ends_with_key
echo "passed: Alt+Enter from a window to the full screen and back, and from the full screen to a window"
