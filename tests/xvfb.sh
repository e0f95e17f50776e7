# xvfb.sh - sourced by the tests that need a real X server: a bare one (no
# window manager) of 1024x768 on a free display, once the tools in
# $xvfb_tools are found (else the test is skipped); a scratch folder $work;
# fail(), which shows what the programs said in $work/*.err; and the end of
# the server and of every process in $pids with the test.
for tool in Xvfb xdotool ${xvfb_tools:-}; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
xvfb_pid=
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null; done
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  { echo "FAILED: $*"; for f in "$work"/*.err; do [ -s "$f" ] && sed "s|^|  $(basename "$f"): |" "$f"; done; } >&2
  exit 1
}

# start_xvfb WIDTHxHEIGHT: a fresh server in place of any before; sets DISPLAY.
start_xvfb() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -f "$work/display"
  # Xvfb chooses a free display itself and writes its number to fd 3. It
  # would reset whenever its last client left, and a program that connected
  # during the reset found no display: -noreset.
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$work/display")"
  unset WAYLAND_DISPLAY SDL_VIDEODRIVER
  for v in $(compgen -e | grep '^LUMIVEX_' || true); do unset "$v"; done
}

# keep_trying SECONDS COMMAND...: runs COMMAND (in this shell, so that it may
# set variables) every tenth of a second until it succeeds or SECONDS have
# passed, and gives its last status; what it said last is in $tried (stdout)
# and $tried_err. One failure proves nothing: xdotool's scan fails when a
# window closes while it looks.
keep_trying() {
  local end=$(($(date +%s%N) / 1000000 + $1 * 1000)) out=$work/tried.$BASHPID status
  shift
  while :; do
    status=0
    "$@" >"$out" 2>"$out.said" || status=$?
    tried=$(<"$out") tried_err=$(<"$out.said")
    [ $status = 0 ] || (($(date +%s%N) / 1000000 >= end)) && return $status
    sleep 0.1
  done
}

# The ids of the visible windows whose title matches the regular expression;
# fails if there are none.
visible_named() {
  local ids
  ids=$(xdotool search --onlyvisible --name "$1") && [ -n "$ids" ] && echo "$ids"
}

# find_window TITLE [SECONDS]: the id of the visible window with exactly this
# title, waiting up to 20 seconds or as many as given; empty if none came,
# and then it says on stderr what it saw last.
find_window() {
  local pattern seconds=${2:-20} w names=()
  pattern=$(sed 's/[][\.*^$+?(){}|]/\\&/g' <<<"$1")  # xdotool takes a regular expression
  if keep_trying "$seconds" visible_named "^$pattern\$"; then
    head -n 1 <<<"$tried"
    return
  fi
  local said=${tried_err:-no window of that title} name
  for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    name=$(xdotool getwindowname "$w" 2>/dev/null) && [ -n "$name" ] && names+=("\"$name\"")
  done
  echo "no visible window \"$1\" within $seconds s; the last search: $said; visible: ${names[*]:-none}" >&2
}

# lit_above SHARE IMAGE [WxH+X+Y]: whether more than SHARE of the image (or of
# the region) is lit; lit_share gives the share itself.
lit_share() { convert "$1" ${2:+-crop "$2" +repage} -channel RGB -threshold 5% -separate \
  -evaluate-sequence max -format '%[fx:mean]' info:; }
lit_above() { awk -v s="$(lit_share "$2" "${3:-}")" -v min="$1" 'BEGIN { exit !(s > min) }'; }

# geometry WINDOW: "X Y WIDTH HEIGHT" on the screen.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                           /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}

# ends_within SECONDS PID NAME: waits for the process; sets status.
ends_within() {
  local i
  for ((i = 0; i < $1 * 10; i++)); do
    kill -0 "$2" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$2" 2>/dev/null && fail "$3: still running after $1 s"
  status=0
  wait "$2" || status=$?
}

start_xvfb 1024x768
