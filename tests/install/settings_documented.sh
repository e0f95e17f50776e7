#!/usr/bin/env bash
# settings_documented.sh - the settings tables of our Glide and our Win32 are
# the one list of settings; every other list agrees with them: the README's
# and the manual page's tables, the settings fuzz target and its dictionary,
# and the tests' clean environment (the table printers fail when it leaves a
# setting set). No source reads, and --help tells, no LUMIVEX_ setting that is
# not in a table.
# Usage: settings_documented.sh source-dir glide-table-printer win32-table-printer
set -uo pipefail
cd "$1"
glide=$("$2") || { echo "FAILED: $2"; exit 1; }
win32=$("$3") || { echo "FAILED: $3"; exit 1; }
[ -n "$glide" ] && [ -n "$win32" ] || { echo "FAILED: no settings in the tables"; exit 1; }
table=$(printf '%s\n%s\n' "$glide" "$win32" | cut -f1 | sort)
glide_names=$(cut -f1 <<<"$glide" | sort)

# Left out of fuzzing on purpose, with the reason. (The target fuzzes the
# settings of our Glide; our Win32's two are answers its tests cover.)
declare -A unfuzzed=(
  [LUMIVEX_TRACE]="it names a file the settings open for writing"
)
fuzzed=$(for n in $glide_names; do [ -n "${unfuzzed[$n]:-}" ] || echo "$n"; done | sort)

failed=0
# same WHAT WANT HAVE: the names HAVE are the names WANT, no more, no fewer.
same() {
  local what=$1 want=$2 have
  have=$(sort -u <<<"$3" | sed '/^$/d')
  for n in $(comm -23 <(echo "$want") <(echo "$have")); do
    echo "FAILED: $n is not in $what"
    failed=1
  done
  for n in $(comm -13 <(echo "$want") <(echo "$have")); do
    echo "FAILED: $what has $n, which no table has (or is left out on purpose)"
    failed=1
  done
}

same "the README's settings tables" "$table" "$(grep -E '^\| `LUMIVEX_[A-Z_]+` \|' README.md | cut -d'`' -f2)"
same "the manual page" "$table" "$(grep -E '^\.B LUMIVEX_' dist/lumivex.6 | cut -d' ' -f2)"
same "the fuzz dictionary's names" "$fuzzed" \
  "$(grep -oE '^"LUMIVEX_[A-Z_]+=' fuzz/dict/settings.dict | tr -d '"=')"
# The fuzz target takes its names from Glide's table and names those it leaves out.
grep -q 'glide_settings\[' fuzz/settings.cpp || {
  echo "FAILED: fuzz/settings.cpp does not take its names from Glide's table"
  failed=1
}
same "the fuzz target's left-out names" "$(comm -23 <(echo "$glide_names") <(echo "$fuzzed"))" \
  "$(grep -oE '"LUMIVEX_[A-Z_]+"' fuzz/settings.cpp | tr -d '"')"
# Every word a fuzzed setting takes is in the dictionary.
while IFS=$'\t' read -r name words _; do
  [ "$words" = - ] || [ -n "${unfuzzed[$name]:-}" ] && continue
  for word in $words; do
    grep -qxF "\"$word\"" fuzz/dict/settings.dict || {
      echo "FAILED: $name's word $word is not in the fuzz dictionary"
      failed=1
    }
  done
done <<<"$glide"
# What the sources read and --help tells is in a table (header guards and
# build values are not settings).
named=$( (grep -rhoE '"LUMIVEX_[A-Z_]+"' platform app show device pump | tr -d '"'
  grep -oE 'LUMIVEX_[A-Z_]+' platform/win32/entry/main.cpp) | grep -vE '_H$|^LUMIVEX_VERSION$' | sort -u)
for n in $(comm -13 <(echo "$table") <(echo "$named")); do
  echo "FAILED: $n is read or told by the program but is in no table"
  failed=1
done

[ $failed -eq 0 ] && echo "passed:" $table
exit $failed
