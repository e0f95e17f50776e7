# xvfb.sh - sourced by the tests that need a real X server: a scratch folder
# $work, a private Xvfb on a free display, fail(), and cleanup of both and of
# $lumivex_pid on exit.
work=$(mktemp -d)
xvfb_pid=
lumivex_pid=
cleanup() {
  [ -n "$lumivex_pid" ] && kill "$lumivex_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAILED: $*"; [ -s "$work/stderr" ] && sed 's/^/  lumivex: /' "$work/stderr"; exit 1; }

# Xvfb chooses a free display itself and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
unset WAYLAND_DISPLAY SDL_VIDEODRIVER LUMIVEX_DIALOG LUMIVEX_OUTPUT LUMIVEX_MESSAGEBOX
