#!/usr/bin/env bash
# What watching costs: the show paced in a 640x480 window on a virtual X
# server (Xvfb), and the processor time the program takes per second of
# torus (user + system, from /proc), as a share of one core.
#   bash bench/show/window_cpu.sh [build/app/lumivex] [seconds, default 20]
set -euo pipefail
lumivex=$(realpath "${1:-build/app/lumivex}")
seconds=${2:-20}
cd "$(dirname "$0")/../.."
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb ${pid:-} 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
LUMIVEX_DIALOG=start LUMIVEX_OUTPUT=window "$lumivex" 2>"$work/stderr" &
pid=$!
ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
sleep 49  # the torus starts at frame 1440, 48 s into the show
t0=$(ticks); s0=$(date +%s.%N)
sleep "$seconds"
t1=$(ticks); s1=$(date +%s.%N)
awk -v t="$((t1 - t0))" -v hz="$hz" -v s0="$s0" -v s1="$s1" \
  'BEGIN { printf "%.2f%% of one core over %.1f s of torus in a window\n", 100 * t / hz / (s1 - s0), s1 - s0 }'
