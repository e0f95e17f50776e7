#!/usr/bin/env bash
# make_prefix.sh - makes the Wine prefix the cases share, once per build tree.
# Needs no display. The Mono and Gecko installers are turned off: the show
# needs neither, and their prompts would wait for a click.
set -euo pipefail
source "$(dirname "$0")/wine_lib.sh"
if [ -f "$WINEPREFIX/system.reg" ]; then
  echo "Wine prefix $WINEPREFIX is there"
  exit 0
fi
start=$(date +%s)
rm -rf "$WINEPREFIX"
env -u DISPLAY "$WINETEST_WINE64" wineboot -i
"$WINETEST_WINESERVER" -w
[ -f "$WINEPREFIX/system.reg" ] || { echo "FAIL: wineboot made no prefix"; exit 1; }
echo "Wine prefix made in $(($(date +%s) - start)) s"
