#!/usr/bin/env bash
# The extractor runs from a download folder, where anybody may have left DLLs, and the setup program
# from the working folder. Their own imports must therefore all be KnownDLLs, which the system maps from
# the system folder before any search; ALSO names further DLLs a program may import (comctl32.dll,
# which the setup program's manifest binds side by side).
# Usage: check-known-dlls.sh OBJDUMP PROGRAM [ALSO...]
set -u
objdump=$1
program=$2
shift 2
known=" kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll oleaut32.dll msvcrt.dll comdlg32.dll
  shlwapi.dll imm32.dll rpcrt4.dll $* "
status=0
dlls=$("$objdump" -p "$program" | sed -n 's/^\s*DLL Name: //p')
[ -n "$dlls" ] || { echo "FAIL: $program imports nothing readable"; exit 1; }
while read -r dll; do
  lower=$(echo "$dll" | tr 'A-Z' 'a-z')
  case "$known" in *" $lower "*|*" $lower"$'\n'*) ;; *) echo "FAIL: $(basename "$program") imports $dll, no KnownDLL"; status=1 ;; esac
done <<< "$dlls"
[ $status = 0 ] && echo "KnownDLLs only: $(echo $dlls)"
exit $status
