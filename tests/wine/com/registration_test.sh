#!/usr/bin/env bash
# Self-registration through regsvr32: the standard keys of a control and its type library
# appear, creation by ProgID works, and unregistration leaves the registry as it was.
#   registration_test.sh <Lumoscope.dll>      (needs WINEPREFIX; see scripts/wine-env.sh)
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$1" "$work/Lumoscope.dll"
dll_win=$(winepath -w "$work/Lumoscope.dll" 2>/dev/null)
clsid='{09437A89-E729-4EA8-AEE8-897DE7573F35}'
libid='{8CE021AB-229F-4A91-A796-86817963896A}'
iid='{327109B6-D362-46FD-967A-7627008420B6}'
srciid='{5F0F0F24-F284-444D-A3B8-FC15C3E2089F}'
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

classes_dump() { wine regedit /E "$(winepath -w "$1")" 'HKEY_CLASSES_ROOT' >/dev/null 2>&1; }
# One value: `value <key> <name or (Default)>` prints its data.
value() {
  local flag=(/v "$2"); [ "$2" = "(Default)" ] && flag=(/ve)
  wine reg query "$1" "${flag[@]}" 2>/dev/null | tr -d '\r' | awk -F'    ' 'NF >= 4 {print $4}'
}
expect() {
  local got; got=$(value "$1" "$2")
  [ "$got" = "$3" ] || fail "$1 [$2] is '$got', expected '$3'"
}

classes_dump "$work/before.reg"
wine regsvr32 /s "$work/Lumoscope.dll" || fail "regsvr32 returned $?"

cls="HKCR\\CLSID\\$clsid"
expect "$cls" "(Default)" "LumoCTRL"
expect "$cls\\InprocServer32" "(Default)" "$dll_win"
expect "$cls\\InprocServer32" "ThreadingModel" "Apartment"
expect "$cls\\ProgID" "(Default)" "Lumoscope.LumoCTRL"
expect "$cls\\TypeLib" "(Default)" "$libid"
expect "$cls\\Version" "(Default)" "99.0"
expect "$cls\\ToolboxBitmap32" "(Default)" "$dll_win, 30000"
expect "$cls\\MiscStatus\\1" "(Default)" "131473"
wine reg query "$cls\\Control" >/dev/null 2>&1 || fail "no Control key"
expect "HKCR\\Lumoscope.LumoCTRL\\CLSID" "(Default)" "$clsid"
expect "HKCR\\TypeLib\\$libid\\63.0\\409\\win64" "(Default)" "$dll_win"
for i in "$iid" "$srciid"; do
  wine reg query "HKCR\\Interface\\$i" >/dev/null 2>&1 || fail "interface $i not registered"
done

wine regsvr32 /u /s "$work/Lumoscope.dll" || fail "regsvr32 /u returned $?"
classes_dump "$work/after.reg"
if ! cmp -s "$work/before.reg" "$work/after.reg"; then
  fail "unregistration left the registry changed:"
  diff <(iconv -f UTF-16LE -t UTF-8 "$work/before.reg") <(iconv -f UTF-16LE -t UTF-8 "$work/after.reg") | head -20
fi
# A second unregistration finds nothing to remove and is no failure.
wine regsvr32 /u /s "$work/Lumoscope.dll" || fail "a second unregistration failed"

[ "$failures" -eq 0 ] && echo "registration: all keys as expected, nothing left behind"
exit $((failures > 0))
