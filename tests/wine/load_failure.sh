#!/usr/bin/env bash
# A missing data file in the Windows program: after Start, a message box names
# the file and why; OK ends the program with exit status 1.
set -euo pipefail
source "$(dirname "$0")/wine_lib.sh"
dir=$(case_dir load_failure)
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
