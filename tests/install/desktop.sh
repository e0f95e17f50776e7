#!/usr/bin/env bash
# The program on a bare X server (no window manager), as a desktop user meets
# it. It ends when asked: SIGINT in the dialog ends it as Exit does and in the
# show as a key does, SIGTERM ends an offscreen run the same way, each within
# a second and with 128 + the signal's number; the device is closed and the
# capture holds every frame shown. And it
# is placed on the screen: on 1024x768, full screen covers the screen from
# (0, 0); a window at LUMIVEX_SCALE=2 does not fit, so it opens at the
# largest scale that fits (1), centred, and says so in one line; on a
# 1400x1050 screen a window at scale 3 opens at 2, centred.
# Usage: desktop.sh path/to/lumivex source-dir [screenshot-dir]
set -uo pipefail
lumivex=$1
cd "$2"
shots=${3:-}
xvfb_tools=xwininfo
source "$(dirname "$0")/../xvfb.sh"

# --- SIGINT in the dialog ---
"$lumivex" 2>"$work/dialog.err" & pid=$!; pids+=($pid)
[ -n "$(find_window Tobrek)" ] || fail "no dialog"
kill -INT $pid
ends_within 2 $pid "SIGINT in the dialog"
[ "$status" -eq 130 ] || fail "SIGINT in the dialog: status $status, not 130"

# signalled SIGNAL STATUS NAME [env arguments...]: the show, its calls logged,
# ends within 2 s of the signal, sent after its first frame (a window is shown
# before the device opens), with STATUS, the device closed.
signalled() {
  local signal=$1 want=$2 name=$3
  shift 3
  env "$@" LUMIVEX_DIALOG=start LUMIVEX_TRACE="$work/$signal.trace" LUMIVEX_TRACE_FRAMES=0 \
    LUMIVEX_CAPTURE="$work/$signal.mkv" "$lumivex" 2>"$work/$signal.err" & pid=$!; pids+=($pid)
  keep_trying 20 grep -q '^grBufferSwap' "$work/$signal.trace" || fail "$name: no frame within 20 s"
  kill -$signal $pid
  ends_within 2 $pid "$name"
  [ "$status" -eq "$want" ] || fail "$name: status $status, not $want"
  [ "$(tail -1 "$work/$signal.trace")" = grGlideShutdown ] || fail "$name: the device was not closed"
  command -v ffprobe >/dev/null || return 0
  [ "$(ffprobe -v error -count_frames -show_entries stream=nb_read_frames -of csv=p=0 "$work/$signal.mkv")" = \
    "$(grep -c ^grBufferSwap "$work/$signal.trace")" ] || fail "$name: the capture does not hold every frame shown"
}
signalled INT 130 "SIGINT in the show" LUMIVEX_OUTPUT=window
signalled TERM 143 "SIGTERM offscreen" -u DISPLAY LUMIVEX_OUTPUT=offscreen LUMIVEX_SWAP_INTERVAL=0

# place OUTPUT "X Y WIDTH HEIGHT" [VAR=value...]: starts the show, waits until
# its window stands there, takes a screenshot of the screen, ends the show.
# The window is looked up at every try: SDL makes it anew when the device
# opens (its renderer wants a GL window), so the first one seen may be gone.
placed() {
  local w
  for w in $(visible_named '^Lumivex by Tobrek$'); do got=$(geometry "$w") && [ "$got" = "$1" ] && return; done
  return 1
}
place() {
  local output=$1 want=$2
  shift 2
  env LUMIVEX_DIALOG=start LUMIVEX_OUTPUT=$output "$@" "$lumivex" 2>"$work/$output.err" & pid=$!; pids+=($pid)
  [ -n "$(find_window 'Lumivex by Tobrek')" ] || fail "$output: no window"
  keep_trying 20 placed "$want" || fail "$output: the window at ${got:-?}, not $want, after 20 s"
  [ -n "$shots" ] && mkdir -p "$shots" && import -window root "$shots/$output.png" 2>/dev/null
  kill -INT $pid
  ends_within 5 $pid "$output"
}

place fullscreen "0 0 1024 768"
place window "192 144 640 480" LUMIVEX_SCALE=2
[ "$(wc -l <"$work/window.err")" -eq 1 ] && grep -q 'does not fit the 1024x768 screen; using LUMIVEX_SCALE=1' \
  "$work/window.err" || fail "the fallback to scale 1 was not said in one line"

start_xvfb 1400x1050
place window "60 45 1280 960" LUMIVEX_SCALE=3
echo "passed: SIGINT in the dialog and the show, SIGTERM offscreen; full screen at (0, 0) filling the screen;"
echo "windows too large centred at the largest scale that fits"
