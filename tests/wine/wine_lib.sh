# wine_lib.sh - what the Wine cases share (sourced). CTest passes:
#   WINETEST_WINE64, WINETEST_WINESERVER  Wine's 64-bit loader and server
#   WINETEST_PREFIX                       the shared prefix (make_prefix.sh)
#   WINETEST_LOADER, WINETEST_EXE         a lumivex.exe, 64- or 32-bit, and the
#                                         loader of as many bits
#   WINETEST_NATIVE                       the Linux lumivex (for the trace case)
#   WINETEST_OUT                          where a case leaves its files
# The cases run with the source tree as working directory, where pak/ is.
: "${WINETEST_WINE64:?}" "${WINETEST_WINESERVER:?}" "${WINETEST_PREFIX:?}"
export WINEPREFIX=$WINETEST_PREFIX
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
# A bare X server of its own (tests/xvfb.sh), which also clears every
# LUMIVEX_ setting of the developer's.
xvfb_tools="import convert xwininfo ${xvfb_tools:-}"
source "$(dirname "${BASH_SOURCE[0]}")/../xvfb.sh"

# A fresh folder for this case's files.
case_dir() {
  local dir=$WINETEST_OUT/$1
  rm -rf "$dir" && mkdir -p "$dir" && echo "$dir"
}

# Starts the program (lumivex.exe under Wine, unless program says otherwise)
# in the background with the given extra environment ("NAME=value"...), its
# output to $dir/stdout and stderr, and chooses Start in its dialog (Enter).
program=("${WINETEST_LOADER:-}" "${WINETEST_EXE:-}")
start_show() {
  local dir=$1 dialog; shift
  env "$@" "${program[@]}" >"$dir/stdout" 2>"$dir/stderr" &
  show_pid=$!
  dialog=$(wait_window Tobrek 60)
  press "$dialog" Return
}

# The id of the visible window whose title is exactly $1, waiting up to $2
# seconds; fails the case if none appears, saying whether the program runs.
wait_window() {
  local w state
  w=$(find_window "$1" "$2") || true
  [ -n "$w" ] && echo "$w" && return
  state=$(ps -o stat= -p "$show_pid" 2>/dev/null) || true
  [[ $state == [^Z]* ]] && state="still runs" || state="has ended"
  fail "no window \"$1\" within $2 s; the program $state"
}

# Types keys into a window: focus it (there is no window manager), then send.
press() {
  local window=$1; shift
  keep_trying 20 timeout 5 xdotool windowfocus --sync "$window" ||
    fail "window $window took no focus within 20 s: ${tried_err:-no answer}"
  xdotool key --clearmodifiers "$@"
}

# Waits up to $1 seconds for the program to end; sets show_status.
wait_show() {
  ends_within "$1" "$show_pid" "the program"
  show_status=$status
}

# The prefix's wineserver ends with the case, so that Xvfb goes down cleanly,
# and is waited for: the next case's program must not meet it on its way out.
end_wine() {
  "$WINETEST_WINESERVER" -k 2>/dev/null || true
  timeout 30 "$WINETEST_WINESERVER" -w 2>/dev/null || true
  cleanup
}
trap end_wine EXIT
