#!/usr/bin/env bash
# The program ends when asked: SIGINT in the dialog ends it as Exit does and in
# the show as a key does, SIGTERM ends an offscreen run the same way, each
# within a second and with 128 + the signal's number; the device is closed.
# Usage: ends_when_asked.sh path/to/lumivex source-dir
set -uo pipefail
lumivex=$1
cd "$2"
source "$(dirname "$0")/../xvfb.sh"

# --- SIGINT in the dialog ---
"$lumivex" 2>"$work/dialog.err" & pid=$!; pids+=($pid)
[ -n "$(find_window Tobrek)" ] || fail "no dialog"
kill -INT $pid
ends_within 2 $pid "SIGINT in the dialog"
[ "$status" -eq 130 ] || fail "SIGINT in the dialog: status $status, not 130"

# --- SIGINT in the show, in a window ---
LUMIVEX_DIALOG=start LUMIVEX_OUTPUT=window LUMIVEX_TRACE="$work/window.trace" LUMIVEX_TRACE_FRAMES=0 \
  "$lumivex" 2>"$work/window.err" & pid=$!; pids+=($pid)
[ -n "$(find_window 'Lumivex by Tobrek')" ] || fail "no show window"
sleep 1
kill -INT $pid
ends_within 2 $pid "SIGINT in the show"
[ "$status" -eq 130 ] || fail "SIGINT in the show: status $status, not 130"
[ "$(tail -1 "$work/window.trace")" = grGlideShutdown ] || fail "SIGINT: the device was not closed"

# --- SIGTERM offscreen, no display ---
env -u DISPLAY LUMIVEX_DIALOG=start LUMIVEX_OUTPUT=offscreen LUMIVEX_TRACE="$work/off.trace" \
  LUMIVEX_TRACE_FRAMES=0 "$lumivex" 2>"$work/off.err" & pid=$!; pids+=($pid)
sleep 1.5
kill -TERM $pid
ends_within 2 $pid "SIGTERM offscreen"
[ "$status" -eq 143 ] || fail "SIGTERM: status $status, not 143"
[ "$(tail -1 "$work/off.trace")" = grGlideShutdown ] || fail "SIGTERM: the device was not closed"

echo "passed: SIGINT in the dialog and the show, SIGTERM offscreen"
