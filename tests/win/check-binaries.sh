#!/usr/bin/env bash
# Checks shipped Windows binaries from outside: each imports only system DLLs; zembra1.dll exports
# its functions undecorated, under their fixed ordinals, with the module name NyZembraDLL.dll.
# Usage: check-binaries.sh OBJDUMP BINARY...
set -u
objdump=$1; shift
status=0
fail() { echo "FAIL: $*"; status=1; }

system_dlls=' kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll oleaut32.dll comctl32.dll
  msvcrt.dll version.dll comdlg32.dll shlwapi.dll '

declare -A ordinal_of=(
  [ZEMBRA_Expand]=2 [ZEMBRA_Copy]=3 [ZEMBRA_Init]=4 [ZEMBRA_Exit]=5 [ZEMBRA_SetProgress]=6
  [ZEMBRA_SetCancel]=7 [ZEMBRA_GetInstallPath]=8 [ZEMBRA_SetRegEntry]=9 [ZEMBRA_IsUserMemberOfGroup]=10
  [ZEMBRA_CheckVersion]=11 [ZEMBRA_ReplaceFileOnReboot]=12 [ZEMBRA_IsThisNT]=13
  [ZEMBRA_SetMessageHandler]=14 [ZEMBRA_SetLanguage]=15
)

for bin in "$@"; do
  [ -f "$bin" ] || { fail "$bin is missing"; continue; }
  dump=$("$objdump" -p "$bin") || { fail "$objdump cannot read $bin"; continue; }
  while read -r dll; do
    lower=$(echo "$dll" | tr 'A-Z' 'a-z')
    case "$system_dlls" in *" $lower "*|*" $lower"$'\n'*) ;; *) fail "$(basename "$bin") imports $dll" ;; esac
  done < <(echo "$dump" | sed -n 's/^\s*DLL Name: //p')

  if [ "$(basename "$bin")" = zembra1.dll ]; then
    echo "$dump" | grep -q 'Name .*NyZembraDLL.dll' || fail "zembra1.dll: module name is not NyZembraDLL.dll"
    # The name table lists "[index] name"; the ordinal is the table's base plus that index.
    base=$(echo "$dump" | sed -n 's/^Ordinal Base\s*\([0-9]*\)$/\1/p' | head -n 1)
    exports=$(echo "$dump" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' \
              | sed -n 's/^\s*\[ *\([0-9]*\)\] \(.*\)$/\1 \2/p' \
              | while read -r index name; do echo "$((base + index)) $name"; done)
    [ -n "$exports" ] || fail "zembra1.dll exports nothing"
    while read -r ord name; do
      [ -n "$name" ] || continue
      expected=${ordinal_of[$name]:-}
      if [ -z "$expected" ]; then fail "zembra1.dll exports unexpected or decorated name '$name'"
      elif [ "$expected" != "$ord" ]; then fail "zembra1.dll exports $name at ordinal $ord, expected $expected"; fi
    done <<< "$exports"
    for name in "${!ordinal_of[@]}"; do
      echo "$exports" | grep -qw "$name" || fail "zembra1.dll lacks $name"
    done
  fi
done
[ $status = 0 ] && echo "binaries OK: $*"
exit $status
