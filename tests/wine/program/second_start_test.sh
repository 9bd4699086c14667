#!/usr/bin/env bash
# One Quillora per user session. Started a second time, as a user double-clicks it again, the
# program opens no window: the copy that runs says so in a balloon from its icon, the second
# process ends by itself within seconds, one body, one switch and one icon remain, and the
# first copy still drags and replays into the user's window.
#   second_start_test.sh <Quillora.exe> <Lumoscope.dll> <Pointer.bmp> <window_probe.exe> <target_window.exe>
# Needs WINEPREFIX and DISPLAY (scripts/wine-env.sh).
set -euo pipefail
exe=$1 dll=$2 bmp=$3 probe=$4 target=$5
source "$(dirname "$0")/test_lib.sh"
source "$(dirname "$0")/replay_lib.sh"
source "$(dirname "$0")/tray_lib.sh"
second=
stop_second() { [ -n "$second" ] && kill "$second" 2>/dev/null; wait "$second" 2>/dev/null || true; }
quill_on_exit stop_second
quill_on_exit stop_target
start_beside_target

(cd "$work/app" && exec wine ./Quillora.exe) &
second=$!
started=$SECONDS
second_ended() { ! kill -0 "$second" 2>/dev/null; }
QUILL_POLL_SECONDS=15 poll second_ended || fail "the second start still runs after 15 s"
wait "$second" || true
second=
echo "second start: ended by itself after about $((SECONDS - started)) s"

# Wine's tray shows the balloon two seconds after it is asked for, for ten seconds or more.
balloon_says() { probe balloon - >"$work/balloon.txt" && [ "$(cat "$work/balloon.txt")" = "Quillora は既に起動しています" ]; }
poll balloon_says || fail "no balloon said the program runs (balloon: $(cat "$work/balloon.txt"))"
[ "$(probe bodies -)" = 1 ] || fail "$(probe bodies -) bodies are shown"
[ "$(probe switches -)" = 1 ] || fail "$(probe switches -) switches are shown"
icons_shown 1 || fail "$(probe trayicons -) icons are shown"
echo "notice: the balloon said so; one body, one switch, one icon"

# The first copy is untouched: its body follows a drag (switch off: nothing records) ...
read_windows || fail "the program's windows are gone"
x0=$f1l
drag_gesture 10 10 0 0.02 0.5
body_moved() { read_windows && [ $((f1l - x0)) -eq 100 ]; }
poll body_moved || fail "the body moved $((f1l - x0)) pixels, not 100"
# ... and, with the switch on, a click on its button is replayed into the user's window.
set_switch on
xdotool mousemove "$(button_x)" "$(button_y)" sleep 0.1 mousedown 1 sleep 0.1 mouseup 1
poll saw_target UP_L || fail "the replayed click never reached the target (it saw: $(target_sequence))"
wait_replay_over
[ "$(target_sequence)" = "DOWN_L UP_L " ] || fail "the target saw: $(target_buttons | tr '\n' ';')"
echo "first copy: dragged 100 pixels, replayed a click into the target"
