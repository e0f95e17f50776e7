#!/usr/bin/env bash
# On a bare X server (no window manager) of 1024x768: full screen covers the
# screen from (0, 0); a window at LUMIVEX_SCALE=2 does not fit, so it opens at
# the largest scale that fits (1), centred, and says so in one line. On a
# 1400x1050 screen a window at scale 3 opens at 2, centred.
# Usage: placement.sh path/to/lumivex source-dir [screenshot-dir]
set -uo pipefail
lumivex=$1
cd "$2"
shots=${3:-}
xvfb_tools=xwininfo
source "$(dirname "$0")/../xvfb.sh"

# place OUTPUT [VAR=value...]: starts the show, waits for its window, sets
# got to its geometry, takes a screenshot of the screen, ends the show.
place() {
  local output=$1; shift
  env LUMIVEX_DIALOG=start LUMIVEX_OUTPUT=$output "$@" "$lumivex" 2>"$work/$output.err" & pid=$!; pids+=($pid)
  local w
  w=$(find_window 'Lumivex by Tobrek')
  [ -n "$w" ] || fail "$output: no window"
  sleep 2
  [ -n "$shots" ] && mkdir -p "$shots" && import -window root "$shots/$output.png" 2>/dev/null
  got=$(geometry "$w")
  kill -INT $pid
  ends_within 5 $pid "$output"
}

place fullscreen
[ "$got" = "0 0 1024 768" ] || fail "full screen at $got, not 0 0 1024 768"
place window LUMIVEX_SCALE=2
[ "$got" = "192 144 640 480" ] || fail "window at $got, not 192 144 640 480"
[ "$(wc -l <"$work/window.err")" -eq 1 ] && grep -q 'does not fit the 1024x768 screen; using LUMIVEX_SCALE=1' \
  "$work/window.err" || fail "the fallback to scale 1 was not said in one line"

start_xvfb 1400x1050
place window LUMIVEX_SCALE=3
[ "$got" = "60 45 1280 960" ] || fail "a window at scale 2 at $got, not 60 45 1280 960"
echo "passed: full screen at (0, 0) filling the screen; windows too large centred at the largest scale that fits"
