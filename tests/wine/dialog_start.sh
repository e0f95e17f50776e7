#!/usr/bin/env bash
# Enter in the start-up dialog starts the show in the program's window; the
# scripted key press ends it with 0. The running show is looked at: a
# screenshot of the window must show a picture, and exactly the picture of a
# frame that our Glide drew, as its frame dump has it.
set -euo pipefail
source "$(dirname "$0")/wine_lib.sh"
dir=$(case_dir dialog_start)
key_frame=80
first_dump=50   # the logo comes into view from frame 45 on
# Ten frames a second, so that a screenshot finds each frame standing still.
start_show "$dir" LUMIVEX_OUTPUT=window LUMIVEX_SWAP_INTERVAL=6 LUMIVEX_KEY_AT_FRAME=$key_frame \
  LUMIVEX_TRACE="$dir/trace.txt" LUMIVEX_DUMP_DIR="$dir" LUMIVEX_DUMP_FRAMES=$first_dump-$((key_frame + 1)) \
  LUMIVEX_CAPTURE="$dir/show.mp4"
main=$(wait_window "Lumivex by Tobrek" 30)

# Our Glide sizes the window so that the picture fills its client area exactly.
sized() { local g; g=$(xdotool getwindowgeometry --shell "$main") && eval "$g" && [ "${WIDTH}x$HEIGHT" = 640x480 ]; }
keep_trying 20 sized ||
  fail "the window's client area is ${WIDTH:-?}x${HEIGHT:-?}, not 640x480 ${tried_err:+($tried_err)}"

# Screenshots of the window while the show runs, from the first dumped frame on.
sleep $((first_dump / 10))
shots=0
while kill -0 "$show_pid" 2>/dev/null && ((shots < 30)); do
  timeout 10 import -window "$main" "$dir/shot-$shots.png" 2>/dev/null && shots=$((shots + 1))
  sleep 0.2
done
wait_show 60
[ "$show_status" = 0 ] || fail "exit status $show_status after the key, not 0"
swaps=$(grep -c '^grBufferSwap' "$dir/trace.txt" || true)
# The key is posted after the swap of frame $key_frame, dispatched by that
# frame's pump, and the next frame is the last.
[ "$swaps" = $((key_frame + 2)) ] ||
  fail "$swaps buffer swaps; the key at frame $key_frame should end the show after $((key_frame + 2))"
grep -q '^grGlideShutdown' "$dir/trace.txt" || fail "Glide was not shut down"
# This build has no video encoder: it says so and shows the show all the same.
grep -q 'LUMIVEX_CAPTURE: video capture is not part of this build' "$dir/stderr" && [ ! -e "$dir/show.mp4" ] ||
  fail "LUMIVEX_CAPTURE: $(cat "$dir/stderr")"

# Each lit screenshot should be exactly one of the frames drawn (a shot
# taken while GDI was drawing may be torn: one exact match is enough).
pixels() { convert "$1" -depth 8 rgb:- | md5sum | cut -d' ' -f1; }
declare -A frame_of
for frame in "$dir"/frame-*.png; do frame_of[$(pixels "$frame")]=$(basename "$frame" .png); done
lit=0 matched=0 example=""
for ((i = 0; i < shots; i++)); do
  lit_above 0.005 "$dir/shot-$i.png" || continue
  lit=$((lit + 1))
  f=${frame_of[$(pixels "$dir/shot-$i.png")]:-}
  [ -n "$f" ] && matched=$((matched + 1)) example="shot-$i.png is $f"
done
[ $lit -gt 0 ] || fail "none of $shots screenshots of the running show showed a picture ($dir/shot-*.png)"
[ $matched -gt 0 ] || fail "none of $lit lit screenshots is a frame that was drawn ($dir)"
echo "Enter: the show ran $swaps frames, exit 0; $matched of $lit lit screenshots are exactly a frame drawn ($example)"
rm -f "$dir"/frame-*.png
