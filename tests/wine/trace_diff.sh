#!/usr/bin/env bash
# The same scripted scenario under Wine and natively must make the same Glide
# calls: Start in the dialog (Enter), the show offscreen and unpaced, a key
# press scripted at a frame of each effect in turn (logo, cubes, torus). The
# logs keep the triangles of a sample of frames around every effect's start,
# its landmarks and the key; every other call is always kept. A few frames
# of each effect are dumped too: the pixels must be the same as well.
#
# The two builds share the program's sources but not their platform: real
# Win32 (Wine) against our stand-in, and mingw-w64's C library against glibc,
# whose sine and cosine differ in the last bit of a double for a few of the
# show's angles (e.g. the logo's p = 222.5); rounded to the 32-bit floats the
# show keeps, none of those differences survives, so the logs must be equal.
set -euo pipefail
source "$(dirname "$0")/wine_lib.sh"
: "${WINETEST_NATIVE:?the native lumivex is not built}"
dir=$(case_dir trace_diff)
frames=0-2,90,157,180,359,719-722,877,1000-1001,1439-1442,1597,2000-2001
dumps=60,877,1597,2001

# run_scenario <wine|native> <key frame>
run_scenario() {
  local system=$1 key=$2 log=$dir/$1-$2.txt
  mkdir -p "$dir/$system-frames"
  local settings=(LUMIVEX_OUTPUT=offscreen LUMIVEX_SWAP_INTERVAL=0 LUMIVEX_KEY_AT_FRAME=$key
                  LUMIVEX_TRACE="$log" LUMIVEX_TRACE_FRAMES=$frames
                  LUMIVEX_DUMP_DIR="$dir/$system-frames" LUMIVEX_DUMP_FRAMES=$dumps)
  local program=("$WINETEST_LOADER" "$WINETEST_EXE")
  [ "$system" = native ] && program=("$WINETEST_NATIVE")
  start_show "$dir" "${settings[@]}"
  wait_show 240
  [ "$show_status" = 0 ] || { cat "$dir/stderr"; fail "$system, key at $key: exit status $show_status"; }
}

# A log as compared: Windows' line ends gone, and the window handle
# grSstWinOpen is given, which each system numbers in its own way, hidden.
normal() { tr -d '\r' <"$1" | sed 's/^grSstWinOpen [^ ]*/grSstWinOpen -/'; }

status=0
for key in 300 1000 2000; do
  run_scenario wine $key
  run_scenario native $key
  wine=$dir/wine-$key.txt native=$dir/native-$key.txt
  if ! cmp -s <(normal "$wine") <(normal "$native"); then
    echo "FAIL: key at frame $key: the logs differ (Wine <, native >):"
    diff <(normal "$wine") <(normal "$native") | head -20 || true
    status=1
  fi
  swaps=$(grep -c '^grBufferSwap' "$native" || true)
  echo "key at frame $key: $(wc -l <"$native") calls in $swaps frames"
  [ "$swaps" = $((key + 2)) ] || { echo "FAIL: natively $swaps swaps, not $((key + 2))"; status=1; }
done

for frame in ${dumps//,/ }; do
  name=$(printf 'frame-%06d.png' "$frame")
  [ -f "$dir/wine-frames/$name" ] && [ -f "$dir/native-frames/$name" ] ||
    { echo "FAIL: frame $frame was not dumped by both"; status=1; continue; }
  cmp -s "$dir/wine-frames/$name" "$dir/native-frames/$name" ||
    { echo "FAIL: frame $frame differs (see $dir/*-frames/$name)"; status=1; }
done
[ $status = 0 ] || fail "the Wine and native runs differ (logs in $dir)"
echo "Wine and native make the same Glide calls and draw the same pixels (frames $dumps)"
