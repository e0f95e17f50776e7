#!/usr/bin/env bash
# Full-screen output on a wide screen (the case runs on a 1280x720 display):
# the program's window covers the whole screen and the 4:3 picture stands in
# its middle, 960x720, with black bars of 160 pixels left and right.
set -euo pipefail
source "$(dirname "$0")/wine_lib.sh"
dir=$(case_dir fullscreen)
start_xvfb 1280x720

start_show "$dir" LUMIVEX_OUTPUT=fullscreen LUMIVEX_KEY_AT_FRAME=120
main=$(wait_window "Lumivex by Tobrek" 30)

# Until the middle is lit, or the show has ended.
covered=0 lit=0
shown() {
  kill -0 "$show_pid" 2>/dev/null || return 0
  local g
  g=$(xdotool getwindowgeometry --shell "$main") && eval "$g" &&
    [ "$WIDTH" = 1280 ] && [ "$HEIGHT" = 720 ] && [ "$X" = 0 ] && [ "$Y" = 0 ] && covered=1 &&
    timeout 10 import -window root "$dir/screen.png" &&
    lit_above 0.01 "$dir/screen.png" 960x720+160+0 && lit=1
}
keep_trying 30 shown || true
[ $covered = 1 ] || fail "the window is ${WIDTH:-?}x${HEIGHT:-?} at ${X:-?},${Y:-?}, not the whole 1280x720 screen"
[ $lit = 1 ] || fail "no picture in the middle of the screen ($dir/screen.png)"
for bar in 160x720+0+0 160x720+1120+0; do
  [ "$(lit_share "$dir/screen.png" $bar)" = 0 ] || fail "the bar $bar is not black ($dir/screen.png)"
done
wait_show 60
[ "$show_status" = 0 ] || fail "exit status $show_status, not 0"
echo "full screen: the window covers the screen, the picture is 4:3 between black bars"
