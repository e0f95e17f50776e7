#!/usr/bin/env bash
# make_prefix.sh - makes the Wine prefix the cases share, once per build tree.
# Needs no display. The Mono and Gecko installers are turned off: the show
# needs neither, and their prompts would wait for a click.
set -euo pipefail
source "$(dirname "$0")/wine_lib.sh"
# A prefix made before the 32-bit Wine was installed has no 32-bit system.
if [ -f "$WINEPREFIX/system.reg" ] && [ -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
  echo "Wine prefix $WINEPREFIX is there"
  exit 0
fi
start=$(date +%s)
rm -rf "$WINEPREFIX"
env -u DISPLAY "$WINETEST_WINE64" wineboot -i
"$WINETEST_WINESERVER" -w
[ -f "$WINEPREFIX/system.reg" ] || { echo "FAIL: wineboot made no prefix"; exit 1; }
[ -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] ||
  { echo "FAIL: the prefix has no 32-bit system: is wine32 installed?"; exit 1; }
echo "Wine prefix made in $(($(date +%s) - start)) s"
