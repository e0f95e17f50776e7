#!/usr/bin/env bash
# No board (LUMIVEX_BOARDS=0): the start-up check's report comes up as the
# real message box with the report's text; Abort, its default button, ends the
# program at once with exit status 3 and no further device call.
set -euo pipefail
source "$(dirname "$0")/wine_lib.sh"
dir=$(case_dir no_board)

# Wine's msgbox channel logs the text each message box is opened with.
start_show "$dir" LUMIVEX_BOARDS=0 LUMIVEX_TRACE="$dir/trace.txt" WINEDEBUG=-all,+msgbox
dialog=$(wait_window Tobrek 60)
press "$dialog" Return
box=$(wait_window "Microsoft Visual C++ Runtime Library" 30)
sleep 0.5
import -window root "$dir/report.png" 2>/dev/null || true
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
