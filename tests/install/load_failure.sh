#!/usr/bin/env bash
# A data file the show cannot load ends it with a message that names the file
# and why, exit status 1, and nothing drawn after the failure. One file at a
# time, each missing, empty, cut to half and overwritten; or pak/ absent.
# Usage: load_failure.sh path/to/lumivex source-dir FILE|no-pak
set -uo pipefail
lumivex=$1 source_dir=$2 file=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED ($file, $case): $*"; sed 's/^/  stderr: /' "$work/stderr"; exit 1; }

# Runs the show offscreen and unpaced in $work/run; a key at the end of the
# second pass ends a run that did not fail. Sets status.
run() {
  (cd "$work/run" && env -u DISPLAY -u WAYLAND_DISPLAY LUMIVEX_DIALOG=start LUMIVEX_OUTPUT=offscreen \
    LUMIVEX_SWAP_INTERVAL=0 LUMIVEX_KEY_AT_FRAME=7199 LUMIVEX_TRACE="$work/trace" LUMIVEX_TRACE_FRAMES=0 \
    timeout 120 "$lumivex") >/dev/null 2>"$work/stderr"
  status=$?
}

# Checks one run: the message, the status, and no frame after the failed load.
expect() {
  local why=$1 path="pak//$file"
  [ "$status" -eq 1 ] || fail "exit status $status, not 1"
  [ "$(wc -l <"$work/stderr")" -eq 1 ] || fail "not one line on stderr"
  grep -qF "lumivex: The show cannot load $path: $why" "$work/stderr" || fail "no message naming $path: $why"
  # Meshes load before any frame; a texture when its effect starts.
  local from=1
  [[ $file == *.3df ]] && from=$(grep -nF "\"$path\"" "$work/trace" | tail -1 | cut -d: -f1)
  [ -n "$from" ] || fail "the texture was never asked for"
  ! tail -n +"$from" "$work/trace" | grep -qE '^(grBufferSwap|grDrawTriangle|guDrawTriangleWithClip)' ||
    fail "drawn after the failed load"
  grep -q '^grGlideShutdown' "$work/trace" || fail "the device was not closed"
}

# pak/ absent is told as its first mesh missing.
cases="missing empty half garbage"
[ "$file" = no-pak ] && cases=absent file=torus.dat
for case in $cases; do
  rm -rf "$work/run" && mkdir "$work/run" && cp -r "$source_dir/pak" "$work/run/"
  target=$work/run/pak/$file
  size=$(stat -c %s "$target")
  case $case in
    absent) rm -r "$work/run/pak"; why="The system cannot find" ;;
    missing) rm "$target"; why="The system cannot find the file specified." ;;
    empty) : >"$target"; why="the file is empty" ;;
    half) truncate -s $((size / 2)) "$target"; why="the file is cut short or is not" ;;
    garbage) head -c "$size" /dev/zero | tr '\0' 'x' >"$target"; why="the file is cut short or is not" ;;
  esac
  run
  expect "$why"
done
echo "passed: $file: $cases"
