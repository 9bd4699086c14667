#!/usr/bin/env bash
# The release as a user gets it: the zip unpacked into a folder whose path has a space and
# Japanese characters, in a Wine prefix of its own where nothing was ever registered.
#  - The manifest embedded in Quillora.exe, read through an activation context made from it,
#    declares per-monitor DPI awareness and leads to the control's type library; the icon is
#    32 by 32 in 256 colours with a transparency mask.
#  - Quillora.exe starts from there: the body and the switch appear, a drag moves both, "終了"
#    ends it, and HKEY_CLASSES_ROOT is byte for byte what it was before.
#  - Without Lumoscope.dll, and with a broken one, a Japanese "Error" box names the file and
#    why, and the program ends once it is dismissed.
#  - At 144 DPI (LogPixels) the body, its control, the switch and the about box keep their
#    pixel sizes.
#   release_test.sh <zip> <window_probe.exe> <release_probe.exe>     (needs DISPLAY)
set -euo pipefail
zip=$1 probe=$2 rprobe=$3
here=$(dirname "$0")
source "$here/test_lib.sh"
source "$here/../../../scripts/wine-prefix.sh"
export LANG=C.UTF-8  # Wine reads Japanese paths and registry names in the Unix locale
export WINEPREFIX="$work/prefix"
# The program first (its close request needs the prefix's server), then the server, then the
# folder: a server whose prefix is gone can no longer be found to be ended.
quill_on_exit 'stop_program; wineserver -k >/dev/null 2>&1'
quill_prepare_prefix

wp() { wine "$probe" "$@" 2>/dev/null | tr -d '\r'; }
rp() { wine "$rprobe" "$@" 2>/dev/null | tr -d '\r'; }
classes() { wine regedit /E "$(winepath -w "$1")" 'HKEY_CLASSES_ROOT' >/dev/null 2>&1; }
# A visible window of the program by title: "left top width height" into $rect.
form() { rect=$(rp form "$1") && [ -n "$rect" ]; }
form_sized() { form "$1" && [ "$(cut -d' ' -f3,4 <<<"$rect")" = "$2" ]; }

# Opens the notification icon's menu by hovering it, then clicks item 0 (終了) or 1.
choose() {
  local tx ty l t r b
  icon_found() { wp tray - >"$work/icon.txt" && grep -q . "$work/icon.txt"; }
  poll icon_found || fail "no notification icon appeared"
  read -r tx ty <"$work/icon.txt"
  menu_open() {
    xdotool mousemove "$tx" "$ty" sleep 0.1 mousemove $((tx + 1)) "$ty"
    wp menu - >"$work/menu.txt" && grep -q . "$work/menu.txt"
  }
  poll menu_open || fail "hovering the icon opened no menu"
  read -r l t r b <"$work/menu.txt"
  xdotool mousemove $((l + 20)) $((t + (b - t) * (2 * $1 + 1) / 4)) sleep 0.2 click 1
}

classes "$work/before.reg"
dir="$work/リリース テスト/Quillora"
mkdir -p "$dir"
(cd "$dir" && cmake -E tar xf "$zip")
listing=$(cd "$dir" && ls | tr '\n' ' ')
[ "$listing" = "Lumoscope.dll Pointer.bmp Quillora.exe README.txt " ] || fail "the zip holds: $listing"
exe="$dir/Quillora.exe"
exe_win=$(winepath -w "$exe")
dll_win=$(winepath -w "$dir/Lumoscope.dll")

# --- the manifest, as Windows reads it ---
rp settings "$exe_win" >"$work/settings.txt"
grep -qx 'dpiAwareness=PerMonitorV2, PerMonitor' "$work/settings.txt" &&
  grep -qx 'dpiAware=true/pm' "$work/settings.txt" || fail "DPI settings: $(cat "$work/settings.txt")"
[ "$(rp typelib "$exe_win")" = Lumoscope ] || fail "the manifest does not lead to the control's type library"
rp manifest "$exe_win" >"$work/manifest.xml"
for entry in 'progid="Lumoscope.LumoCTRL"' 'threadingModel="Apartment"' 'Microsoft.Windows.Common-Controls' \
             'supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"'; do
  grep -qF "$entry" "$work/manifest.xml" || fail "the manifest lacks $entry"
done
read -r iw ih ibits itransparent < <(rp icon "$exe_win")
[ "$iw $ih $ibits" = "32 32 8" ] && [ "$itransparent" -gt 0 ] && [ "$itransparent" -lt 1024 ] ||
  fail "the icon is ${iw}x$ih, $ibits bits, $itransparent transparent pixels"
echo "manifest: per-monitor DPI aware, the control and its type library from the program's folder; icon 32x32x8 with a mask"

# --- unzipped and started, with nothing registered ---
wine "$exe" &
pid=$!
poll form_sized Quillora "130 130" || fail "no 130x130 body window (${rect:-none})"
read -r bx by _ <<<"$rect"
poll form_sized "" "47 48" || fail "no 47x48 switch window (${rect:-none})"
read -r sx sy _ <<<"$rect"
steps=()
for _ in 1 2 3 4 5 6 7 8; do steps+=(mousemove_relative 10 5 sleep 0.05); done
xdotool mousemove $((bx + 65)) $((by + 65)) sleep 0.2 mousedown 1 sleep 0.2 "${steps[@]}" sleep 0.5 mouseup 1
body_moved() { form Quillora && read -r x y _ <<<"$rect" && [ "$x" -ge $((bx + 60)) ] && [ "$y" -ge $((by + 30)) ]; }
poll body_moved || fail "the body did not follow the drag (at $rect, from $bx $by)"
switch_moved() { form "" && [ "$(cut -d' ' -f1,2 <<<"$rect")" != "$sx $sy" ]; }
poll switch_moved || fail "the switch did not follow the body (still at $sx $sy)"
choose 0
poll program_ended || fail "the program still runs after 終了"
pid=
classes "$work/after.reg"
cmp -s "$work/before.reg" "$work/after.reg" ||
  fail "HKEY_CLASSES_ROOT changed: $(diff <(iconv -f UTF-16LE -t UTF-8 "$work/before.reg") \
    <(iconv -f UTF-16LE -t UTF-8 "$work/after.reg") | head -10)"
echo "unzipped into '$dir': started unregistered, body and switch dragged, ended from the menu, HKCR untouched"

# --- a missing or broken control library: the Japanese box, then the end ---
expect_control_box() {
  wine "$exe" &
  pid=$!
  box_text() { wp box Error >"$work/box.txt" && grep -q . "$work/box.txt"; }
  poll box_text || fail "no Error box ($1)"
  grep -q '^描画コントロール (Lumoscope.LumoCTRL) を作成できない' "$work/box.txt" &&
    grep -qF "$dll_win" "$work/box.txt" && grep -q "$1" "$work/box.txt" || fail "box text: $(cat "$work/box.txt")"
  ! form Quillora || fail "a body window opened although the control failed"
  wp dismiss Error >/dev/null
  poll program_ended || fail "the program still runs after the box was dismissed"
  pid=
}
mv "$dir/Lumoscope.dll" "$work/Lumoscope.dll"
expect_control_box "理由: ファイルが見つかりません。"
printf 'MZ, but no library' >"$dir/Lumoscope.dll"
expect_control_box "理由: ファイルが壊れているか"
mv -f "$work/Lumoscope.dll" "$dir/Lumoscope.dll"
echo "control missing or broken: a Japanese box names the file and why, then the end"

# --- 144 DPI: every window keeps its pixel size ---
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
[ "$(rp dpi -)" = 144 ] || fail "the prefix does not report 144 DPI"
wine "$exe" &
pid=$!
poll form_sized Quillora "130 130" || fail "at 144 DPI the body is ${rect:-missing}"
poll form_sized "" "47 48" || fail "at 144 DPI the switch is ${rect:-missing}"
[ "$(rp control -)" = "168 144 130 130" ] || fail "at 144 DPI the control lies at $(rp control -) in the body"
choose 1
poll form_sized "ﾊﾞｰｼﾞｮﾝ情報" "532 326" || fail "at 144 DPI the about box is ${rect:-missing}"
choose 0
poll program_ended || fail "the program still runs after 終了 at 144 DPI"
pid=
echo "144 DPI: body 130x130 with its control at (168, 144), switch 47x48, about box 532x326"
