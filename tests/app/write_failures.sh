#!/usr/bin/env bash
# Outputs that cannot be written whole, each limited in turn to a few
# kilobytes a file (RLIMIT_FSIZE, a full disk's failure without root): the
# failure is said once, in one line naming the file and why, the show still
# plays to its end, the exit status is 5, and what is left is whole: frame
# dumps are there whole or not at all, a capture plays up to where it stopped.
# Usage: write_failures.sh path/to/lumivex source-dir
set -uo pipefail
lumivex=$1
source_dir=$2
command -v ffprobe >/dev/null || { echo "skipped: ffprobe is not installed"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }

# limited NAME KILOBYTES FILE [VAR=VALUE...]: 300 frames offscreen and
# unpaced, no file the program writes larger than KILOBYTES; then the checks
# every output shares, for FILE.
limited() {
  local name=$1 kb=$2 file=$3
  shift 3
  (cd "$source_dir" && ulimit -f "$kb" && exec env -u DISPLAY SDL_VIDEODRIVER=dummy LUMIVEX_DIALOG=start \
    LUMIVEX_OUTPUT=offscreen LUMIVEX_SWAP_INTERVAL=0 LUMIVEX_KEY_AT_FRAME=298 "$@" "$lumivex") 2>"$work/$name.err"
  local status=$?
  [ "$status" = 5 ] || fail "$name: exit $status"
  [ "$(wc -l <"$work/$name.err")" = 1 ] && grep -q "$file.*File too large" "$work/$name.err" ||
    fail "$name: said $(cat "$work/$name.err")"
  sed "s/^/  $name: /" "$work/$name.err"
}
frames() { ffprobe -v error -count_frames -select_streams v:0 -of csv=p=0 -show_entries stream=nb_read_frames "$1" 2>/dev/null; }

# Dumps of 11 to 15 kB: some fit, the rest are not left behind.
limited dumps 12 "$work/dumps/frame-" LUMIVEX_DUMP_DIR="$work/dumps" LUMIVEX_DUMP_FRAMES=80-119
left=$(find "$work/dumps" -name 'frame-*' | wc -l)
[ "$left" -gt 0 ] && [ "$left" -lt 40 ] || fail "dumps: $left files left"
for f in "$work"/dumps/*; do
  [[ $f == */frame-[0-9][0-9][0-9][0-9][0-9][0-9].png ]] || fail "dumps: $f left"
  [ -n "$(ffmpeg -v error -i "$f" -f null - 2>&1)" ] && fail "dumps: $f is broken"
done

limited trace 64 "$work/show.trace" LUMIVEX_TRACE="$work/show.trace"

# Each capture plays the frames written before the file reached its limit.
limited mkv 512 "$work/show.mkv" LUMIVEX_CAPTURE="$work/show.mkv"
[ "$(frames "$work/show.mkv")" -ge 30 ] || fail ".mkv: $(frames "$work/show.mkv") frames play"
limited mp4 128 "$work/show.mp4" LUMIVEX_CAPTURE="$work/show.mp4"
[ "$(frames "$work/show.mp4")" -ge 30 ] || fail ".mp4: $(frames "$work/show.mp4") frames play"

exit $failed
