#!/usr/bin/env bash
# The torus frames side by side: our Glide against Mesa's llvmpipe on one
# thread and on two, and against another build of ours when one is given.
# Each configuration is a process of its own, taken in turn (the order turned
# round every other run), RUNS times; a configuration's figure is the median
# of its runs' median frame times, by the wall clock and by processor time
# (all threads; on a busy machine the fairer clock for one thread). Leaves in OUT the last frame of each side
# (ours.png, llvmpipe.png) and chart.png, the frame times of the last run.
#   bash bench/compare/compare.sh [BUILD [OTHER_BUILD]]    (BUILD: build)
# RUNS (3), FRAMES (600, after 20 not kept) and OUT (out/compare) from the
# environment. OTHER_BUILD needs only its bench/compare/compare_ours.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath "${1:-build}")
other=${2:+$(realpath "$2")}
runs=${RUNS:-3}
frames=${FRAMES:-600}
out=$(realpath -m "${OUT:-out/compare}")
mkdir -p "$out"
cd "$root"  # where pak/ is
for program in "$build/bench/compare/compare_ours" "$build/bench/compare/compare_llvmpipe" \
               ${other:+"$other/bench/compare/compare_ours"}; do
  [ -x "$program" ] || { echo "compare.sh: no $program (cmake --build BUILD --target compare)" >&2; exit 1; }
done

sides=(ours llvmpipe ${other:+other})
# side threads run: one process, its frame times in $out/SIDE-THREADS-RUN.txt;
# the first run on one thread also keeps its last frame and says what drew it.
draw() {
  local picture=() said
  [ "$2-$3" = 1-1 ] && [ "$1" != other ] && picture=("$out/$1.png")
  case $1 in
    ours) said=$(LUMIVEX_THREADS=$2 "$build/bench/compare/compare_ours" "$frames" "$out/$1-$2-$3.txt" \
                 "${picture[@]}" 2>&1) ;;
    other) said=$(LUMIVEX_THREADS=$2 "$other/bench/compare/compare_ours" "$frames" "$out/$1-$2-$3.txt" 2>&1) ;;
    # 0: llvmpipe rasterizes on the calling thread; 1 would add a thread.
    llvmpipe) said=$(LP_NUM_THREADS=$(($2 == 1 ? 0 : $2)) "$build/bench/compare/compare_llvmpipe" "$frames" \
                     "$out/$1-$2-$3.txt" "${picture[@]}" 2>&1) ;;
  esac || { echo "$said" >&2; exit 1; }
  if [ ${#picture[@]} -gt 0 ] && [ -n "$said" ]; then echo "$said"; fi
}
# The median of a column of numbers (column 1 when not said).
median() {
  sort -g -k "${1:-1}" |
    awk -v c="${1:-1}" '{ v[NR] = $c } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

for run in $(seq "$runs"); do
  order=("${sides[@]}")
  [ $((run % 2)) -eq 0 ] && order=($(printf '%s\n' "${sides[@]}" | tac))
  for threads in 1 2; do
    for side in "${order[@]}"; do draw "$side" "$threads" "$run"; done
  done
done

declare -A ms cpu
for threads in 1 2; do
  for side in "${sides[@]}"; do
    per_run=() cpu_per_run=()
    for run in $(seq "$runs"); do
      per_run+=("$(median 1 < "$out/$side-$threads-$run.txt")")
      cpu_per_run+=("$(median 2 < "$out/$side-$threads-$run.txt")")
    done
    ms[$side-$threads]=$(printf '%s\n' "${per_run[@]}" | median)
    cpu[$side-$threads]=$(printf '%s\n' "${cpu_per_run[@]}" | median)
    printf 'threads %s: %-8s median %.3f ms a frame (runs: %s), processor %.3f ms (runs: %s)\n' "$threads" \
      "$side" "${ms[$side-$threads]}" "${per_run[*]}" "${cpu[$side-$threads]}" "${cpu_per_run[*]}"
  done
  for against in llvmpipe ${other:+other}; do
    awk -v t="$threads" -v a="$against" -v o="${ms[ours-$threads]}" -v b="${ms[$against-$threads]}" \
        -v oc="${cpu[ours-$threads]}" -v bc="${cpu[$against-$threads]}" \
      'BEGIN { printf "threads %s: ours is %.2fx as fast as %s (by processor time %.2fx)\n", t, b / o,
               a == "other" ? "the other build" : a, bc / oc }'
  done
done

# Waiting for a processor stretches the long frames most: a busy machine
# inflates llvmpipe's wall clock more than ours.
awk -v w="${ms[llvmpipe-1]}" -v c="${cpu[llvmpipe-1]}" 'BEGIN { if (w > 1.15 * c)
  printf "the machine was busy (llvmpipe on one thread: %.2f ms by the wall clock, %.2f ms of processor time):\n" \
         "on one thread the ratios by processor time are the fair ones\n", w, c }'

if ! command -v gnuplot > /dev/null; then
  echo "compare.sh: no chart without gnuplot (bash scripts/deps.sh bench installs it)" >&2
  exit 0
fi
# A colour a side; two threads dashed.
declare -A colour=([ours]='#1f5fbf' [llvmpipe]='#d9661f' [other]='#7f7f7f')
plots=()
for side in "${sides[@]}"; do
  for threads in 1 2; do
    label=$(printf '%s, %s thread%s: median %.2f ms of %s runs' "$side" "$threads" \
            "$([ "$threads" = 1 ] || echo s)" "${ms[$side-$threads]}" "$runs")
    plots+=("'$out/$side-$threads-$runs.txt' using 0:1 with lines lw 1.5 dt $threads lc rgb '${colour[$side]}' title '$label'")
  done
done
gnuplot <<PLOT
set terminal pngcairo size 800,440 font ",10"
set output '$out/chart.png'
set title "Torus frames, the last of $runs runs: each from its clear to its finished pixels, by the wall clock"
set ylabel 'ms (log scale)'
set logscale y
set key outside below
set grid ytics mytics
plot $(IFS=,; echo "${plots[*]}")
PLOT
echo "pictures: $out/ours.png $out/llvmpipe.png; chart: $out/chart.png"
