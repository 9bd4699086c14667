#!/usr/bin/env bash
# Quillora.exe started as a user would: the body window appears with the artwork's size and
# follows a real drag; without Pointer.bmp the program says so in an "Error" box and ends once
# the box is dismissed; once the drawing control is unregistered again, the program still
# creates it from the library beside it. (release_test.sh covers a missing or broken library.)
#   program_smoke_test.sh <Quillora.exe> <Lumoscope.dll> <Pointer.bmp> <window_probe.exe>
# Needs WINEPREFIX and DISPLAY (scripts/wine-env.sh).
set -euo pipefail
exe=$1 dll=$2 bmp=$3 probe=$4
source "$(dirname "$0")/test_lib.sh"
install_program "$work/with"
mkdir -p "$work/without"
cp "$exe" "$dll" "$work/without/"

# --- with the artwork: size and drag ---
wine "$work/with/Quillora.exe" &
pid=$!
poll xdotool search --onlyvisible --name '^Quillora$' || fail "no window titled Quillora"
win=$(xdotool search --onlyvisible --name '^Quillora$' | head -1)
read -r bw bh < <(identify -format '%w %h\n' "$bmp")
# The window is created at its design size and then fitted to the artwork.
artwork_sized() {
  eval "$(xdotool getwindowgeometry --shell "$win")"
  [ "$WIDTH" -eq "$bw" ] && [ "$HEIGHT" -eq "$bh" ]
}
poll artwork_sized || fail "window is ${WIDTH}x$HEIGHT, artwork ${bw}x$bh"
x0=$X y0=$Y
# Grab the body at its centre: the artwork is drawn about it at every angle, so it is opaque
# there, while key-coloured pixels would let the press through. One xdotool run; released
# long after the last step, so that the body stops where the drag left it.
steps=()
for _ in 1 2 3 4 5 6 7 8; do steps+=(sleep 0.05 mousemove_relative 10 5); done
xdotool mousemove $((x0 + bw / 2)) $((y0 + bh / 2)) sleep 0.2 mousedown 1 sleep 0.2 "${steps[@]}" sleep 0.5 mouseup 1
moved() {
  eval "$(xdotool getwindowgeometry --shell "$win")"
  [ "$X" -ge $((x0 + 60)) ] && [ "$Y" -ge $((y0 + 30)) ]
}
poll moved || fail "the body did not follow the drag (still at $X,$Y from $x0,$y0)"
echo "drag: moved from $x0,$y0 to $X,$Y"
# Another program's close request for the body ends the whole program.
wine "$probe" closeprogram - >/dev/null 2>&1
poll program_ended || fail "the program did not end when its body was asked to close"
pid=

# --- without the artwork: the error box, then the end ---
wine "$work/without/Quillora.exe" &
pid=$!
box_text() { wine "$probe" box Error >"$work/box.txt" 2>/dev/null && grep -q . "$work/box.txt"; }
poll box_text || fail "no message box titled Error"
text=$(tr -d '\r' <"$work/box.txt")
[ "$text" = "マウスポインタの画像が見つかりません。" ] || fail "box text was: $text"
wine "$probe" dismiss Error >/dev/null 2>&1
poll program_ended || fail "the program still runs after the box was dismissed"
pid=
echo "missing artwork: box shown, program ended"

# --- registered and then unregistered: the control still comes from the library beside it ---
wine regsvr32 /u /s "$registered"; registered=
wine "$work/with/Quillora.exe" &
pid=$!
body_shown() { win=$(xdotool search --onlyvisible --name '^Quillora$' | head -1) && [ -n "$win" ] && artwork_sized; }
poll body_shown || fail "without registration no ${bw}x$bh body window"
stop_program
echo "control unregistered: the program started with the library beside it"
