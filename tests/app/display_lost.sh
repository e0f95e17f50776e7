#!/usr/bin/env bash
# The X server ends under the running program (the session logs out, a
# forwarded connection drops): in the show, windowed or full screen, and in
# the start-up dialog. The program is gone within 2 s, with exit status 6 and
# a line or two on stderr, not a flood; a show's trace and capture are whole.
# Usage: display_lost.sh path/to/lumivex source-dir
set -uo pipefail
lumivex=$1
source_dir=$2
. "$(dirname "$0")/../xvfb.sh"

# lost NAME TITLE [VAR=VALUE...]: ends the server once the window titled
# TITLE is up and (in the show) a few frames are shown.
lost() {
  local name=$1 title=$2
  shift 2
  start_xvfb 1024x768
  (cd "$source_dir" && exec env LUMIVEX_TRACE="$work/$name.trace" LUMIVEX_TRACE_FRAMES=0 \
    LUMIVEX_CAPTURE="$work/$name.mkv" "$@" "$lumivex") 2>"$work/$name.err" &
  local pid=$!
  pids+=($pid)
  [ -n "$(find_window "$title")" ] || fail "$name: no window"
  sleep 1
  kill "$xvfb_pid"
  ends_within 2 $pid "$name: the display lost"
  [ "$status" = 6 ] || fail "$name: exit $status"
  [ "$(wc -l <"$work/$name.err")" -le 3 ] || fail "$name: $(wc -l <"$work/$name.err") lines on stderr"
  grep -q 'connection to the display .* is lost' "$work/$name.err" || fail "$name: not told"
}

lost window "Lumivex by Tobrek" LUMIVEX_DIALOG=start LUMIVEX_OUTPUT=window
lost fullscreen "Lumivex by Tobrek" LUMIVEX_DIALOG=start LUMIVEX_OUTPUT=fullscreen
for name in window fullscreen; do
  [ "$(tail -n 1 "$work/$name.trace")" = grGlideShutdown ] || fail "$name: the trace ends in $(tail -n 1 "$work/$name.trace")"
  command -v ffprobe >/dev/null || continue
  [ "$(ffprobe -v error -count_frames -show_entries stream=nb_read_frames -of csv=p=0 "$work/$name.mkv")" = \
    "$(grep -c ^grBufferSwap "$work/$name.trace")" ] || fail "$name: the capture does not hold every frame shown"
done
lost dialog Tobrek
echo "passed: the X server ended under the window, the full screen and the dialog"
