#!/usr/bin/env bash
# check_binaries.sh OBJDUMP BIN_DIR 64|32
# What a Windows user's loader will see in lumivex.exe and glide2x.dll:
#  - lumivex.exe is a GUI program that takes its Glide calls from "glide2x.dll"
#    by name, under the names of glide2x.def (decorated __stdcall names on
#    32-bit), so another glide2x.dll can stand in for ours;
#  - glide2x.dll calls itself glide2x.dll and exports every name of the list;
#  - neither needs a DLL that Windows does not have (the mingw runtime).
set -euo pipefail
objdump=$1 bin=$2 bits=$3
def=$(dirname "$0")/../../platform/glide/glide2x.def
exe=$bin/lumivex.exe dll=$bin/glide2x.dll
fail=0
complain() { echo "FAIL: $*"; fail=1; }

for f in "$exe" "$dll"; do [ -f "$f" ] || { echo "FAIL: $f was not built"; exit 1; }; done

# The names the library must export: "_name@bytes" on 32-bit, "name" on 64-bit.
if [ "$bits" = 32 ]; then
  expected=$(sed -n 's/^[[:space:]]*\(_[A-Za-z0-9_]*@[0-9]*\)[[:space:]]*=.*/\1/p' "$def" | sort)
else
  expected=$(sed -n 's/^[[:space:]]*_\([A-Za-z0-9_]*\)@[0-9]*[[:space:]]*=.*/\1/p' "$def" | sort)
fi
[ "$(grep -c . <<<"$expected")" -ge 20 ] || complain "could not read the export list from $def"

# Imports of one DLL, from objdump's "DLL Name:" block: "<vma> <hint> <name>".
imports_from() {
  "$objdump" -p "$1" | awk -v dll="$2" '
    /^\tDLL Name: / { inblock = (tolower($3) == tolower(dll)); next }
    inblock && /^\t[0-9a-f]+\t/ { print $3 }
    inblock && /^$/ { inblock = 0 }' | sort
}
imported_dlls() {
  "$objdump" -p "$1" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z' | sort -u
}

glide_imports=$(imports_from "$exe" glide2x.dll)
[ -n "$glide_imports" ] || complain "lumivex.exe imports nothing from glide2x.dll"
unknown=$(comm -23 <(echo "$glide_imports") <(echo "$expected"))
[ -z "$unknown" ] || complain "lumivex.exe imports names glide2x.def does not list:" $unknown
echo "lumivex.exe imports $(grep -c . <<<"$glide_imports") calls from glide2x.dll"

exports=$("$objdump" -p "$dll" | awk '/^\[Ordinal\/Name Pointer\] Table/ { t = 1; next }
                                      t && /^\t\[/ { print $3 } t && /^$/ { t = 0 }' | sort)
missing=$(comm -13 <(echo "$exports") <(echo "$expected"))
[ -z "$missing" ] || complain "glide2x.dll does not export:" $missing
# (Whole dumps, not pipes: grep -q would stop objdump midway.)
dll_dump=$("$objdump" -p "$dll")
grep -Eq '^Name[[:space:]]+[0-9a-f]+ glide2x\.dll$' <<<"$dll_dump" ||
  complain "glide2x.dll's export table does not name it glide2x.dll"
exe_dump=$("$objdump" -p "$exe")
grep -q 'Subsystem.*(Windows GUI)' <<<"$exe_dump" || complain "lumivex.exe is not a GUI program"

# Only the system's own DLLs (and, for the program, glide2x.dll).
system='^(kernel32|user32|gdi32|winmm|msvcrt|advapi32|shell32|ole32|ws2_32|api-ms-win-.*)\.dll$'
for f in "$exe" "$dll"; do
  for d in $(imported_dlls "$f"); do
    [ "$d" = glide2x.dll ] && [ "$f" = "$exe" ] && continue
    [[ $d =~ $system ]] || complain "$(basename "$f") needs $d, which Windows does not provide"
  done
done

[ $fail = 0 ] && echo "lumivex.exe and glide2x.dll ($bits-bit) are as a Windows loader expects"
exit $fail
