# wine_lib.sh - what the Wine cases share (sourced). CTest passes:
#   WINETEST_WINE64, WINETEST_WINESERVER  Wine's loader and server
#   WINETEST_PREFIX                       the shared prefix (make_prefix.sh)
#   WINETEST_EXE                          the 64-bit lumivex.exe
#   WINETEST_NATIVE                       the Linux lumivex (for the trace case)
#   WINETEST_OUT                          where a case leaves its files
# The cases run with the source tree as working directory, where pak/ is.
: "${WINETEST_WINE64:?}" "${WINETEST_WINESERVER:?}" "${WINETEST_PREFIX:?}"
export WINEPREFIX=$WINETEST_PREFIX
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
# Nothing of the developer's own settings may leak into a case.
for v in $(compgen -e | grep '^LUMIVEX_' || true); do unset "$v"; done

fail() { echo "FAIL: $*" >&2; exit 1; }

# A fresh folder for this case's files.
case_dir() {
  local dir=$WINETEST_OUT/$1
  rm -rf "$dir" && mkdir -p "$dir" && echo "$dir"
}

# Starts lumivex.exe under Wine in the background with the given extra
# environment ("NAME=value"...), its output to $dir/stdout and stderr, and
# chooses Start in its dialog (Enter).
start_show() {
  local dir=$1 dialog; shift
  env "$@" "$WINETEST_WINE64" "$WINETEST_EXE" >"$dir/stdout" 2>"$dir/stderr" &
  show_pid=$!
  dialog=$(wait_window Tobrek 60)
  press "$dialog" Return
}

# The id of the first visible window whose title is exactly $1, waiting up to
# $2 seconds; fails the case if none appears or the program ends first.
wait_window() {
  local title=$1 limit=$2 i w pattern
  pattern=$(sed 's/[][\.*^$+?(){}|]/\\&/g' <<<"$title")  # xdotool takes a regular expression
  for ((i = 0; i < limit * 10; i++)); do
    w=$(xdotool search --onlyvisible --name "^$pattern\$" 2>/dev/null | head -1 || true)
    [ -n "$w" ] && { echo "$w"; return 0; }
    kill -0 "$show_pid" 2>/dev/null || fail "the program ended before the window \"$title\" appeared"
    sleep 0.1
  done
  fail "no window \"$title\" within $limit s"
}

# Types keys into a window: focus it (there is no window manager), then send.
press() {
  local window=$1; shift
  timeout 20 xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers "$@"
}

# Waits up to $1 seconds for the program to end; sets show_status.
wait_show() {
  local limit=$1 i
  for ((i = 0; i < limit * 10; i++)); do
    kill -0 "$show_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$show_pid" 2>/dev/null && fail "the program still runs after $limit s"
  show_status=0
  wait "$show_pid" || show_status=$?
}

# The prefix's wineserver ends with the case, so that Xvfb goes down cleanly
# and the next case starts with no window of this one left.
trap '"$WINETEST_WINESERVER" -k 2>/dev/null || true' EXIT
