#!/usr/bin/env bash
# Alt+Enter in the running show, on a bare X server (Xvfb) of 1280x720: from
# the window to the full screen and back, and from a full screen at the start
# to a window centred at 640x480. The show goes on through every switch
# (frames still come, the picture is lit), the pointer shows over the window
# and not over the full screen, and then a key ends the show with 0. Usage:
#   alt_enter.sh path/to/lumivex source-dir
set -uo pipefail
lumivex=$1
source_dir=$2
xvfb_tools="convert ffmpeg xwininfo"
. "$(dirname "$0")/../xvfb.sh"
start_xvfb 1280x720
window="320 120 640 480" full="0 0 1280 720"

# The screen as a person sees it, the pointer drawn in.
screen() { timeout 10 ffmpeg -loglevel error -y -f x11grab -draw_mouse 1 -video_size 1280x720 -i "$DISPLAY" \
  -frames:v 1 "$work/screen.png"; }
# Lit share of a region of the screen, "WxH+X+Y".
lit() { convert "$work/screen.png" -crop "$1" +repage -channel RGB -threshold 5% -separate \
  -evaluate-sequence max -format '%[fx:mean]' info:; }
swaps() { grep -c '^grBufferSwap' "$work/trace.txt"; }

# switch_to GEOMETRY WHAT: Alt+Enter, then waits for the window to take the
# geometry, and for frames to come after it.
switch_to() {
  local before i
  xdotool key alt+Return
  for ((i = 0; i < 100; i++)); do [ "$(geometry "$main")" = "$1" ] && break; sleep 0.1; done
  [ "$(geometry "$main")" = "$1" ] || fail "Alt+Enter to $2: the window is at $(geometry "$main"), not $1"
  before=$(swaps)
  for ((i = 0; i < 100; i++)); do [ "$(swaps)" -gt $((before + 10)) ] && break; sleep 0.1; done
  [ "$(swaps)" -gt $((before + 10)) ] || fail "Alt+Enter to $2: the show stopped at $before frames"
  kill -0 "$pid" 2>/dev/null || fail "Alt+Enter to $2 ended the program"
}

# pointer WHERE SHOWN: the pointer moved to "X Y" is seen (1) or not (0)
# in the 40x40 square below and right of it; the place is black without it.
pointer() {
  local i
  xdotool mousemove $1
  for ((i = 0; i < 20; i++)); do
    screen && awk -v s="$(lit "40x40+${1// /+}")" -v want="$2" 'BEGIN { exit !((s > 0) == want) }' && return 0
    sleep 0.1
  done
  fail "the pointer at $1 is $([ "$2" = 1 ] && echo hidden || echo shown) ($work/screen.png)"
}

# start OUTPUT: the show, answered Start, paced, its swaps logged.
start() {
  (cd "$source_dir" && exec env LUMIVEX_DIALOG=start LUMIVEX_OUTPUT=$1 LUMIVEX_TRACE="$work/trace.txt" \
    LUMIVEX_TRACE_FRAMES=0 "$lumivex") 2>"$work/lumivex.err" &
  pid=$!
  pids+=($pid)
  main=$(find_window "Lumivex by Tobrek")
  [ -n "$main" ] || fail "the show's window did not appear"
  timeout 20 xdotool windowfocus --sync "$main"
}

# ends_with_key: a key ends the show with 0.
ends_with_key() {
  xdotool key space
  ends_within 20 "$pid" "a key after Alt+Enter"
  [ "$status" -eq 0 ] || fail "a key after Alt+Enter: exit code $status"
}

start window
for ((i = 0; i < 50; i++)); do [ "$(geometry "$main")" = "$window" ] && break; sleep 0.1; done
[ "$(geometry "$main")" = "$window" ] || fail "the window opened at $(geometry "$main"), not $window"
pointer "330 130" 1  # the logo's frames are black in the corner
switch_to "$full" "the full screen"
for ((i = 0; i < 50; i++)); do  # the logo comes into view from frame 45 on
  screen && awk -v s="$(lit 960x720+160+0)" 'BEGIN { exit !(s > 0.005) }' && break
  sleep 0.1
done
((i < 50)) || fail "the full screen shows no picture ($work/screen.png)"
pointer "20 300" 0   # on the bar beside the picture
switch_to "$window" "the window"
pointer "330 130" 1
ends_with_key

start fullscreen
for ((i = 0; i < 50; i++)); do [ "$(geometry "$main")" = "$full" ] && break; sleep 0.1; done
[ "$(geometry "$main")" = "$full" ] || fail "the full screen opened at $(geometry "$main"), not $full"
pointer "20 300" 0
switch_to "$window" "a window from the full screen"
ends_with_key
echo "passed: Alt+Enter switched window, full screen and back, and full screen to window; the show went on"
