#!/usr/bin/env bash
# Replays that land: with the switch on and a window of the tests in front, what the user does
# on the on-screen button reaches that window, through the body, at one third of the speed.
#   replay_test.sh <scenario> <Quillora.exe> <Lumoscope.dll> <Pointer.bmp> <window_probe.exe> <target_window.exe> <release_probe.exe>
# Scenarios: click, drag, double, cover (a 189 by 189 body over the tip), discard, escape,
# session (the session ends in the middle of a replay), dpi144 (a click with the display's
# scale at 144 DPI: still at the tip's physical pixel), slowdouble (a double click as slow as
# one gesture can hold it), swapped (a left click with the buttons swapped for the left hand).
# Needs WINEPREFIX and DISPLAY (scripts/wine-env.sh).
set -euo pipefail
scenario=$1 exe=$2 dll=$3 bmp=$4 probe=$5 target=$6 release_probe=$7
here=$(dirname "$0")
test_name=replay_$scenario
source "$here/test_lib.sh"
source "$here/replay_lib.sh"
quill_on_exit stop_target
if [ "$scenario" = dpi144 ]; then
  # Read by every process at its start; the prefix is shared, so it goes back afterwards.
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
  quill_on_exit "wine reg add 'HKCU\\Control Panel\\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1"
  dpi=$(wine "$release_probe" dpi - 2>/dev/null | tr -d '\r')
  [ "$dpi" = 144 ] || fail "the prefix reports $dpi DPI, not 144"
fi
if [ "$scenario" = swapped ]; then
  # Read by every process at its start; the prefix is shared, so it goes back afterwards.
  probe swapbuttons 1
  quill_on_exit "probe swapbuttons 0"
  [ "$(probe swapped -)" = 1 ] || fail "the buttons did not stay swapped for the next program"
fi

install_program "$work/app"
if [ "$scenario" = cover ] || [ "$scenario" = discard ]; then
  # Opaque everywhere but its top-left pixel (the key, pure green like every artwork's
  # background): wherever the tip points, the body covers it.
  convert -size 189x189 xc:'#808080' -fill '#00FF00' -draw 'point 0,0' -type TrueColor "BMP3:$work/app/Pointer.bmp"
fi
start_target
start_program "$work/app"
activate_target

# The tip lies 60 pixels from the body's centre.
check_tip() {
  local cx=$(((f1l + f1r) / 2)) cy=$(((f1t + f1b) / 2))
  local d2=$((($1 - cx) * ($1 - cx) + ($2 - cy) * ($2 - cy)))
  [ "$d2" -ge $((58 * 58)) ] && [ "$d2" -le $((62 * 62)) ] || fail "the click at $1,$2 is not 60 pixels from the body's centre $cx,$cy"
}

# Milliseconds between two events the target saw.
gap() { target_buttons | awk -v a="$1" -v b="$2" '$2 == a && !t1 { t1 = $1 } $2 == b && t1 && !t2 { t2 = $1 } END { print t2 - t1 }'; }

case "$scenario" in
click | cover | dpi144 | swapped)
  set_switch on
  screen_shot
  cp "$work/shot.png" "$work/before.png"
  # Held 100 ms: well inside the recorder's quiet time, so that the release belongs to the
  # gesture; one xdotool run, so that the hold is what the X server sees. (The pace is checked
  # on the longer drag below: 100 ms is ten ticks, and a few ticks the system did not deliver
  # while the machine was loaded shorten the replay by as many.)
  xdotool mousemove "$(button_x)" "$(button_y)" sleep 0.1 mousedown 1 sleep 0.1 mouseup 1
  poll saw_target UP_L || fail "the replayed click never reached the target (it saw: $(target_sequence))"
  wait_replay_over
  [ "$(target_sequence)" = "DOWN_L UP_L " ] || fail "the target saw: $(target_buttons | tr '\n' ';')"
  read -r _ _ x y < <(target_buttons | head -1)
  read -r _ _ ux uy < <(target_buttons | sed -n 2p)
  [ "$x,$y" = "$ux,$uy" ] || fail "press at $x,$y but release at $ux,$uy"
  check_tip "$x" "$y"
  record=$(last_record)
  [ "$record" = "2>$x:$y(2)" ] || fail "the body's last record was '$record', the target saw $x,$y"
  g=$(gap DOWN_L UP_L)
  [ "$g" -ge 0 ] || fail "the release arrived $((-g)) ms before the press"
  set_switch on  # it takes real input again
  if [ "$scenario" = cover ]; then
    under=$(convert "$work/before.png" -format "%[hex:u.p{$x,$y}]" info:)
    [ "$under" = 808080 ] || fail "the body did not cover the tip at $x,$y (colour $under)"
  fi
  echo "$scenario: pressed and released at $x,$y, $g ms apart (held 100 ms); lamp not green, switch off"
  ;;
drag)
  # Turned to face right first (a drag of the body with the switch off), so that a drag to the
  # right moves the tip by as much as the body. Nothing records, so the release can wait long
  # enough that no heartbeat can be late enough to let it flick.
  drag_gesture 30 10 0 0.02 0.5
  set_switch on
  x0=$f1l
  # Twenty steps of 4 pixels 50 ms apart, released 155 ms after the last: 1155 ms recorded.
  drag_gesture 20 4 0 0.05
  span=1155
  poll saw_target UP_L || fail "the replayed release never reached the target (it saw: $(target_sequence))"
  wait_replay_over
  [ "$(target_sequence)" = "DOWN_L UP_L " ] || fail "the target saw: $(target_buttons | tr '\n' ';')"
  read -r _ _ x y < <(target_buttons | head -1)
  read -r _ _ ux uy < <(target_buttons | sed -n 2p)
  moves=$(target_events | awk '$2 == "MOVE"' | wc -l)
  [ "$moves" -ge 4 ] || fail "only $moves moves reached the target between press and release"
  dx=$((ux - x)) dy=$((uy - y))
  [ "$dx" -ge 78 ] && [ "$dx" -le 82 ] && [ "$dy" -ge -2 ] && [ "$dy" -le 2 ] ||
    fail "pressed at $x,$y and released at $ux,$uy: not 80 pixels to the right"
  read_windows
  [ $((f1l - x0)) -eq 80 ] || fail "the body ended $((f1l - x0)) pixels right, not 80"
  # At a third of the speed: three times the recorded span, counted in ticks of 10 ms. Over
  # more than a second, the few ticks a loaded machine fails to deliver change little.
  g=$(gap DOWN_L UP_L)
  [ "$g" -ge $((2 * span)) ] && [ "$g" -le $((4 * span + 200)) ] || fail "recorded over $span ms, replayed $g ms apart"
  echo "drag: pressed at $x,$y, $moves moves, released at $ux,$uy, $g ms later (recorded over $span ms)"
  ;;
slowdouble)
  set_switch on
  # Every gap as long as a recording allows (it ends after 200 ms of quiet): the system takes the
  # two presses, 310 ms apart, as a double click. Three times slower they would be 930 ms apart.
  gap=$kReleaseAfterLastStep
  xdotool mousemove "$(button_x)" "$(button_y)" sleep 0.1 mousedown 1 sleep "$gap" mouseup 1 sleep "$gap" \
    mousedown 1 sleep "$gap" mouseup 1
  poll eval '[ "$(target_buttons | wc -l)" -ge 4 ]' || fail "the target saw: $(target_sequence)"
  wait_replay_over
  seen=$(target_sequence)
  [ "$seen" = "DOWN_L UP_L DBL_L UP_L " ] || fail "the target saw $seen"
  presses=$(gap DOWN_L DBL_L)
  [ "$presses" -lt 500 ] || fail "the presses arrived $presses ms apart"
  # How long each click is held depends on when a busy program took the recorded events; the
  # headless tests hold the replayed intervals to three times the recorded ones.
  echo "slowdouble: the target saw $seen, the presses $presses ms apart"
  ;;
double)
  set_switch on
  xdotool mousemove "$(button_x)" "$(button_y)" sleep 0.1 click --repeat 2 --delay 80 1
  poll eval '[ "$(target_buttons | wc -l)" -ge 4 ]' || fail "the target saw: $(target_sequence)"
  # Nothing may follow: checked once the replay is over.
  wait_replay_over
  seen=$(target_sequence)
  [ "$seen" = "DOWN_L UP_L DBL_L UP_L " ] || fail "the target saw $seen"
  [ "$(target_buttons | awk '{ print $3, $4 }' | sort -u | wc -l)" -eq 1 ] || fail "the clicks were not at one point"
  echo "double: the target saw $seen"
  ;;
discard)
  set_switch on
  # A click on the button, then a right press on the body away from the button before the
  # recording goes quiet: one xdotool run, so that a busy machine cannot slip a quiet time
  # between the two.
  xdotool mousemove "$(button_x)" "$(button_y)" sleep 0.1 mousedown 1 sleep 0.05 mouseup 1 \
    mousemove $((f1l + 110)) $((f1t + 110)) click 3
  # Then a right click on the button, a gesture of its own. Had the first been replayed, its
  # replay would have turned the switch off, this click would record nothing, and no right
  # click would ever arrive: what arrives, once it is over, tells the two apart.
  xdotool mousemove "$(button_x)" "$(button_y)" sleep 0.1 click 3
  poll saw_target UP_R || fail "the right click after the discard was not replayed (the target saw: $(target_sequence))"
  wait_replay_over
  [ "$(target_sequence)" = "DOWN_R UP_R " ] || fail "a discarded gesture was replayed: $(target_buttons | tr '\n' ';')"
  echo "discard: nothing of the discarded gesture replayed; the next gesture was"
  ;;
escape | session)
  set_switch on
  # Recorded over about 1.5 s, a pixel at a time, so the replay holds the button for about 4.5 s.
  drag_gesture 15 1 0 0.1
  poll saw_target DOWN_L || fail "the replayed press never reached the target"
  if [ "$scenario" = escape ]; then
    # Seconds of the replay are left: the lamp shows green meanwhile.
    poll lamp_shows '#00FE00' || fail "the lamp was not green during the replay"
  fi
  t0=$(date +%s%N)
  if [ "$scenario" = escape ]; then
    xdotool key Escape
  else
    outcome=$(probe endsession -)
    [ "$outcome" = exited ] || fail "the program did not end by itself at the end of the session: $outcome"
  fi
  poll saw_target UP_L || fail "the held button was never released"
  after=$((($(date +%s%N) - t0) / 1000000))
  if [ "$scenario" = escape ]; then
    [ "$after" -lt 1500 ] || fail "the release came $after ms after Esc, not at once"
    wait_replay_over
    [ "$(target_sequence)" = "DOWN_L UP_L " ] || fail "the target saw: $(target_buttons | tr '\n' ';')"
    kill -0 "$pid" || fail "the program ended"
    echo "escape: lamp green during the replay; released $after ms after Esc; lamp not green, switch off"
  else
    poll program_ended || fail "the program still runs"
    pid=
    [ "$(target_sequence)" = "DOWN_L UP_L " ] || fail "the target saw: $(target_buttons | tr '\n' ';')"
    icon_gone() { ! probe tray - >/dev/null; }
    poll icon_gone || fail "the notification icon is still there"
    echo "session: the press was matched by its release; icon gone, program ended"
  fi
  ;;
*)
  fail "unknown scenario $scenario"
  ;;
esac
