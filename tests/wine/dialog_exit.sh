#!/usr/bin/env bash
# Esc in the start-up dialog: the program ends with 0, the main window was
# never shown, and Glide was never called.
set -euo pipefail
source "$(dirname "$0")/wine_lib.sh"
dir=$(case_dir dialog_exit)

start_show "$dir" LUMIVEX_TRACE="$dir/trace.txt"
dialog=$(wait_window Tobrek 60)
[ -z "$(xdotool search --onlyvisible --name '^Lumivex by Tobrek$' || true)" ] ||
  fail "the main window is visible while the dialog is up"
press "$dialog" Escape
wait_show 30
[ "$show_status" = 0 ] || fail "exit status $show_status after Esc, not 0"
if [ -s "$dir/trace.txt" ]; then
  echo "--- trace:"; head -5 "$dir/trace.txt"
  fail "Glide was called after Esc"
fi
echo "Esc: exit 0, no Glide call"
