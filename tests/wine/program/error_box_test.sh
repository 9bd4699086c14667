#!/usr/bin/env bash
# A start-up error box cannot hide behind the user's window: with a window of the user's in
# front, Quillora started without its artwork shows its "Error" box in front of it and above
# every window (topmost), and ends once the box is answered.
#   error_box_test.sh <Quillora.exe> <Lumoscope.dll> <Pointer.bmp> <window_probe.exe> <target_window.exe>
# Needs WINEPREFIX and DISPLAY (scripts/wine-env.sh).
set -euo pipefail
exe=$1 dll=$2 bmp=$3 probe=$4 target=$5
source "$(dirname "$0")/test_lib.sh"
source "$(dirname "$0")/replay_lib.sh"
quill_on_exit stop_target
mkdir -p "$work/without"
cp "$exe" "$dll" "$work/without/"
start_target
activate_target

(cd "$work/without" && exec wine ./Quillora.exe) &
pid=$!
box_text() { probe box Error >"$work/box.txt" && grep -q . "$work/box.txt"; }
poll box_text || fail "no message box titled Error"
box_in_front() { [ "$(probe boxstyle Error)" = "topmost=1 foreground=1" ]; }
poll box_in_front || fail "the box is not in front and above: $(probe boxstyle Error)"
probe dismiss Error >/dev/null
poll program_ended || fail "the program still runs after its box was answered"
pid=
echo "start-up box: in front of the user's window and topmost; the program ended once it was answered"
