#!/usr/bin/env bash
# Start-up: from starting the program to the end of a run that shows one
# frame offscreen (the dialog answered Start, the key pressed at the first
# frame, no pacing), so that it bounds the time to the first frame from
# above. Prints the median and the range of N runs in milliseconds.
#   bash bench/show/startup.sh [build/app/lumivex] [runs, default 21]
set -euo pipefail
lumivex=$(realpath "${1:-build/app/lumivex}")
runs=${2:-21}
cd "$(dirname "$0")/../.."
export LUMIVEX_DIALOG=start LUMIVEX_OUTPUT=offscreen LUMIVEX_SWAP_INTERVAL=0 LUMIVEX_KEY_AT_FRAME=0
for _ in $(seq "$runs"); do
  t0=$EPOCHREALTIME
  "$lumivex"
  t1=$EPOCHREALTIME
  echo "$t0 $t1"
done | awk '{ printf "%.1f\n", 1000 * ($2 - $1) }' | sort -n |
  awk '{ ms[NR] = $1 }
       END { printf "start-up to the first frame offscreen: median %.1f ms (%.1f to %.1f) over %d runs\n",
                    ms[int((NR + 1) / 2)], ms[1], ms[NR], NR }'
