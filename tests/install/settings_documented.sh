#!/usr/bin/env bash
# Every LUMIVEX_ setting the program or its platform reads is in the README
# and in the manual page.
# Usage: settings_documented.sh source-dir
set -uo pipefail
cd "$1"
names=$(grep -rhoE '"LUMIVEX_[A-Z_]+"' platform app show device | tr -d '"' | sort -u)
[ -n "$names" ] || { echo "FAILED: no settings found"; exit 1; }
missing=0
for name in $names; do
  for doc in README.md dist/lumivex.6; do
    grep -q "$name" "$doc" || { echo "FAILED: $name is not in $doc"; missing=1; }
  done
done
[ $missing -eq 0 ] && echo "passed:" $names
exit $missing
