#!/usr/bin/env bash
# Video capture and frame dumps of the real program, offscreen and unpaced,
# judged with FFmpeg's own tools: the .mkv gives back the dumped pictures bit
# for bit, the .mp4 is close to them (one ended by a signal is desktop.sh's);
# one killed outright plays up to a second before the kill; a capture that cannot
# be made leaves the show alone but not the exit status; dumps are compressed.
# Usage: capture.sh path/to/lumivex source-dir
set -uo pipefail
lumivex=$1
source_dir=$2

for tool in ffmpeg ffprobe; do command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }; done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }

# show NAME KEY_FRAME CAPTURE [VAR=VALUE...]: one offscreen run into
# $work/NAME (dumps, trace, stderr, the process id); its exit status is in
# $work/NAME/status.
show() {
  local name=$1 key=$2 capture=$3
  shift 3
  mkdir -p "$work/$name"
  (cd "$source_dir" && echo $BASHPID >"$work/$name/pid" && exec env -u DISPLAY LUMIVEX_DIALOG=start LUMIVEX_OUTPUT=offscreen LUMIVEX_SWAP_INTERVAL=0 \
    SDL_VIDEODRIVER=dummy LUMIVEX_KEY_AT_FRAME="$key" LUMIVEX_CAPTURE="$capture" \
    LUMIVEX_DUMP_DIR="$work/$name" LUMIVEX_DUMP_FRAMES=0,100,299 LUMIVEX_TRACE="$work/$name/trace" \
    LUMIVEX_TRACE_FRAMES=0 "$@" "$lumivex" 2>"$work/$name/stderr")
  echo $? >"$work/$name/status"
}
swaps() { grep -c '^grBufferSwap' "$1/trace"; }
# wait_shown NAME N: waits up to a minute for run NAME to show N frames.
wait_shown() {
  for _ in $(seq 600); do
    [ -s "$work/$1/trace" ] && [ "$(swaps "$work/$1")" -ge "$2" ] && return
    sleep 0.1
  done
}
probe() { ffprobe -v error -count_frames -select_streams v:0 -of csv=p=0 \
            -show_entries "stream=$2" "$1"; }
# The RGB pixels of frame n of a file, as a digest.
pixels() { ffmpeg -v error -i "$1" -vf "select=eq(n\,$2)" -frames:v 1 -f rawvideo -pix_fmt rgb24 - | md5sum; }
psnr() {
  ffmpeg -v info -i "$1" -i "$3" -lavfi "[0]select=eq(n\,$2),format=rgb24[a];[1]format=rgb24[b];[a][b]psnr" \
    -frames:v 1 -f null - 2>&1 | sed -n 's/.*PSNR.* average:\([0-9.inf]*\).*/\1/p'
}

# A key at frame 298 shows 300 frames.
show mkv 298 "$work/show.mkv"
[ "$(cat "$work/mkv/status")" = 0 ] || fail ".mkv run: exit $(cat "$work/mkv/status")"
fields=codec_name,width,height,r_frame_rate,nb_read_frames
[ "$(probe "$work/show.mkv" $fields)" = "ffv1,640,480,30/1,300" ] || fail ".mkv: $(probe "$work/show.mkv" $fields)"
for n in 0 100 299; do
  dump=$(printf '%s/mkv/frame-%06d.png' "$work" "$n")
  [ "$(pixels "$work/show.mkv" "$n")" = "$(pixels "$dump" 0)" ] || fail ".mkv frame $n differs from its dump"
  # A stored PNG of 640x480 RGB was 922218 bytes; compressed, at most half.
  [ "$(stat -c %s "$dump")" -le 461109 ] || fail "dump of frame $n is $(stat -c %s "$dump") bytes"
done

show mp4 298 "$work/show.mp4"
[ "$(cat "$work/mp4/status")" = 0 ] || fail ".mp4 run: exit $(cat "$work/mp4/status")"
fields=codec_name,width,height,pix_fmt,r_frame_rate,nb_read_frames
[ "$(probe "$work/show.mp4" $fields)" = "h264,640,480,yuv420p,30/1,300" ] || fail ".mp4: $(probe "$work/show.mp4" $fields)"
for n in 0 100 299; do
  db=$(psnr "$work/show.mp4" "$n" "$(printf '%s/mp4/frame-%06d.png' "$work" "$n")")
  awk -v db="$db" 'BEGIN { exit !(db == "inf" || db + 0 >= 40) }' || fail ".mp4 frame $n: PSNR '$db' dB"
done
# faststart: the index comes before the pictures.
moov=$(grep -aob moov "$work/show.mp4" | head -n 1 | cut -d: -f1)
mdat=$(grep -aob mdat "$work/show.mp4" | head -n 1 | cut -d: -f1)
[ -n "$moov" ] && [ -n "$mdat" ] && [ "$moov" -lt "$mdat" ] || fail ".mp4 is not faststart"

# Shows that never open the device (Exit in the dialog, Abort at the failed
# start-up check) make no file.
show exit 0 "$work/exit.mkv" LUMIVEX_DIALOG=exit
show abort 0 "$work/abort.mkv" LUMIVEX_FAIL_OPEN=1 LUMIVEX_MESSAGEBOX=abort
[ "$(cat "$work/exit/status") $(cat "$work/abort/status")" = "0 3" ] ||
  fail "Exit and Abort: exit $(cat "$work/exit/status") and $(cat "$work/abort/status")"
[ -e "$work/exit.mkv" ] || [ -e "$work/abort.mkv" ] && fail "Exit or Abort made a file"

# Captures that cannot be made: each is told in one line, the show is
# unchanged, and the exit status says the file is missing.
ln -s /dev/full "$work/full.mkv"
for target in "$work/missing/show.mkv" "$work/show.avi" "$work/full.mkv"; do
  show bad 298 "$target"
  [ "$(cat "$work/bad/status")" = 5 ] || fail "$target: exit $(cat "$work/bad/status")"
  [ "$(swaps "$work/bad")" = 300 ] || fail "$target: $(swaps "$work/bad") frames shown"
  cmp -s "$work/bad/frame-000299.png" "$work/mkv/frame-000299.png" || fail "$target: frame 299 differs"
  [ "$(grep -c LUMIVEX_CAPTURE "$work/bad/stderr")" = 1 ] || fail "$target: $(cat "$work/bad/stderr")"
done
sed 's/^/  told: /' "$work/bad/stderr"

# Killed outright in the middle of a paced capture (a crash, the OOM killer):
# each kind of file plays every frame shown up to a second (30 frames) before.
for kind in mkv mp4; do
  show kill$kind 1000000 "$work/kill.$kind" LUMIVEX_SWAP_INTERVAL=2 &
  wait_shown kill$kind 90
  shown=$(swaps "$work/kill$kind")
  kill -KILL "$(cat "$work/kill$kind/pid")"
  wait 2>/dev/null
  played=$(probe "$work/kill.$kind" nb_read_frames)
  [ "${played:-0}" -ge $((shown - 30)) ] || fail "kill -9 of a .$kind capture: $played frames play of $shown shown"
done

exit $failed
