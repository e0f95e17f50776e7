#!/usr/bin/env bash
# The program's message boxes under Wine; its msgbox channel logs the text
# each box is opened with.
#
# No board (LUMIVEX_BOARDS=0): the start-up check's report comes up as the
# real message box with the report's text; Abort, its default button, ends the
# program at once with exit status 3 and no further device call. Ignore goes
# on as if the query had found a board: the window open fails in turn, its own
# report comes up, and after a second Ignore the show runs on no device until
# a key ends it with 0.
#
# A missing data file: after Start, a message box names the file and why; OK
# ends the program with exit status 1.
set -euo pipefail
source "$(dirname "$0")/wine_lib.sh"
dir=$(case_dir message_boxes)

start_show "$dir" LUMIVEX_BOARDS=0 LUMIVEX_TRACE="$dir/trace.txt" WINEDEBUG=-all,+msgbox
box=$(wait_window "Microsoft Visual C++ Runtime Library" 30)
sleep 0.5
timeout 10 import -window root "$dir/report.png" 2>/dev/null || true
press "$box" Return
wait_show 30
[ "$show_status" = 3 ] || fail "exit status $show_status after Abort, not 3"

text=$(grep -o 'MSGBOX_OnInit L".*"' "$dir/stderr" | head -1 || true)
[ -n "$text" ] || fail "Wine logged no message box text"
echo "message box: $text"
for part in 'Assertion failed!\n\nProgram: ' 'lumivex.exe\nFile: glidemain\nLine: 90\n\n' \
            'Expression: grSstQueryHardware ( &voo_hwconfig )'; do
  [[ $text == *"$part"* ]] || fail "the report lacks: $part"
done
# Window messages still reach Glide while the box is up (it deactivates the
# main window); the program itself makes no call after the failed query.
after=$(sed -n '/^grSstQueryHardware/,$p' "$dir/trace.txt" | tail -n +2 | grep -v '^grSstControl' || true)
[ -z "$after" ] || fail "Glide was called after the report: $after"
echo "no board: the report came up, Abort gave 3"

# Ignore, twice. The log is left off: with no device open the frames are not
# paced, and their triangles would fill it fast.
: >"$dir/stderr"
start_show "$dir" LUMIVEX_BOARDS=0 WINEDEBUG=-all,+msgbox
last_box_says() { grep 'MSGBOX_OnInit' "$dir/stderr" | tail -1 | grep -q "$1"; }
# Destroyed, or no longer shown.
gone() { ! xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
for line in 90 104; do
  box=$(wait_window "Microsoft Visual C++ Runtime Library" 30)
  keep_trying 10 last_box_says "Line: $line" ||
    fail "the box up is not the report for line $line: $(grep 'MSGBOX_OnInit' "$dir/stderr" | tail -1)"
  press "$box" i   # the Ignore button's mnemonic
  keep_trying 30 gone "$box" || fail "the report for line $line was still up 30 s after Ignore"
done
grep -q 'Expression: grSstWinOpen( (FxU32)hWnd , GR_RESOLUTION_640x480' "$dir/stderr" ||
  fail "the second report does not name the window open"
main=$(wait_window "Lumivex by Tobrek" 30)
sleep 1
kill -0 "$show_pid" 2>/dev/null || fail "the show did not go on after Ignore"
# The task-modal box disabled the main window while it was up, so when it
# went no window was left active: as a user would, click the window first.
xdotool mousemove --window "$main" 320 240 click 1
sleep 0.5
press "$main" space
wait_show 30
[ "$show_status" = 0 ] || fail "exit status $show_status after Ignore, Ignore and a key, not 0"
echo "no board: Ignore went on to the second report, Ignore again ran the show, a key ended it with 0"

# A missing data file, in a copy of pak/.
: >"$dir/stderr"
mkdir "$dir/run" && cp -r pak "$dir/run/" && rm "$dir/run/pak/torus.dat"
cd "$dir/run"
start_show "$dir" LUMIVEX_OUTPUT=offscreen WINEDEBUG=-all,+msgbox
box=$(wait_window Lumivex 30)
text=$(grep -o 'MSGBOX_OnInit L".*"' "$dir/stderr" | tail -1 || true)
[[ $text =~ 'The show cannot load pak//torus.dat: '[A-Z] ]] ||
  fail "the box does not say which file and why: $text"
press "$box" Return
wait_show 30
[ "$show_status" = 1 ] || fail "exit status $show_status after the failed load, not 1"
echo "load failure: the message box named pak//torus.dat; OK ended the program with 1"
