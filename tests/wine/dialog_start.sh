#!/usr/bin/env bash
# Enter in the start-up dialog starts the show in the program's window; the
# scripted key press ends it with 0. The running show is looked at: a
# screenshot of the window must show a picture, not black.
set -euo pipefail
source "$(dirname "$0")/wine_lib.sh"
dir=$(case_dir dialog_start)
key_frame=150   # five seconds at 30 frames a second

start_show "$dir" LUMIVEX_OUTPUT=window LUMIVEX_KEY_AT_FRAME=$key_frame LUMIVEX_TRACE="$dir/trace.txt"
dialog=$(wait_window Tobrek 60)
press "$dialog" Return
main=$(wait_window "Lumivex by Tobrek" 30)

# The logo starts beside the viewer and comes into view over the first frames:
# look until a shot shows it, while the show runs.
lit=0
for ((i = 0; i < 40 && lit == 0; i++)); do
  sleep 0.25
  kill -0 "$show_pid" 2>/dev/null || break
  import -window "$main" "$dir/show.png" 2>/dev/null || continue
  # The share of pixels with any channel above a twentieth of full scale.
  share=$(convert "$dir/show.png" -channel RGB -threshold 5% -separate -evaluate-sequence max \
    -format '%[fx:mean]' info:)
  awk -v s="$share" 'BEGIN { exit !(s > 0.01) }' && lit=1
done
[ $lit = 1 ] || fail "no screenshot of the running show showed a picture (last: $dir/show.png, share ${share:-none})"
echo "screenshot $dir/show.png: ${share} of the window lit"

wait_show 60
[ "$show_status" = 0 ] || fail "exit status $show_status after the key, not 0"
swaps=$(grep -c '^grBufferSwap' "$dir/trace.txt" || true)
# The key is posted after the swap of frame $key_frame, dispatched by that
# frame's pump, and the next frame is the last.
[ "$swaps" = $((key_frame + 2)) ] ||
  fail "$swaps buffer swaps; the key at frame $key_frame should end the show after $((key_frame + 2))"
grep -q '^grGlideShutdown' "$dir/trace.txt" || fail "Glide was not shut down"
echo "Enter: the show ran $swaps frames, exit 0"
