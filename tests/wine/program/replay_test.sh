#!/usr/bin/env bash
# Replays that land: with the switch on and a window of the tests in front, what the user does
# on the on-screen button reaches that window, through the body, at one third of the speed.
#   replay_test.sh <scenario> <Quillora.exe> <Lumoscope.dll> <Pointer.bmp> <window_probe.exe> <target_window.exe> <release_probe.exe>
# Scenarios: click, drag, double, cover (a 189 by 189 body over the tip), discard, escape,
# session (the session ends in the middle of a replay), dpi144 (a click with the display's
# scale at 144 DPI: still at the tip's physical pixel).
# Needs WINEPREFIX and DISPLAY (scripts/wine-env.sh).
set -euo pipefail
scenario=$1 exe=$2 dll=$3 bmp=$4 probe=$5 target=$6 release_probe=$7
here=$(dirname "$0")
source "$here/test_lib.sh"
source "$here/replay_lib.sh"
trap 'stop_target; cleanup' EXIT
if [ "$scenario" = dpi144 ]; then
  # Read by every process at its start; the prefix is shared, so it goes back afterwards.
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
  trap 'stop_target; cleanup; wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1' EXIT
  dpi=$(wine "$release_probe" dpi - 2>/dev/null | tr -d '\r')
  [ "$dpi" = 144 ] || fail "the prefix reports $dpi DPI, not 144"
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

# A press on the button, then the button held while the body creeps right a pixel at a time, so
# that the recording goes on; released once the heartbeat has cleared the last step (no glide)
# and before the recording's quiet time ends it.
creep_drag() {
  local steps=$1
  xdotool mousemove "$(button_x)" "$(button_y)" sleep 0.1 mousedown 1
  for _ in $(seq 1 "$steps"); do xdotool sleep 0.1 mousemove_relative 1 0; done
  xdotool sleep 0.16 mouseup 1
}

# The end of a replay as the user sees it: the lamp no longer green, the switch showing off.
lamp_out_and_switch_off() {
  screen_shot
  [ "$(count_colour "$f1l" "$f1t" "$f1r" "$f1b" '#00F[EF]00')" -eq 0 ] || return 1
  switch_picture "$work/switch_after.png"
  same_picture "$work/switch_off.png" "$work/switch_after.png"
}

# Milliseconds between two events the target saw.
gap() { target_buttons | awk -v a="$1" -v b="$2" '$2 == a && !t1 { t1 = $1 } $2 == b && t1 && !t2 { t2 = $1 } END { print t2 - t1 }'; }

case "$scenario" in
click | cover | dpi144)
  toggle_switch
  cp "$work/switch_before.png" "$work/switch_off.png"
  screen_shot
  cp "$work/shot.png" "$work/before.png"
  # Shorter than the recorder's quiet time, so that the release belongs to the gesture.
  xdotool mousemove "$(button_x)" "$(button_y)" sleep 0.1 mousedown 1
  t0=$(date +%s%N)
  sleep 0.12
  xdotool mouseup 1
  held=$((($(date +%s%N) - t0) / 1000000))
  poll saw_target DOWN_L || fail "the replayed press never reached the target"
  poll saw_target UP_L || fail "the replayed release never reached the target"
  poll lamp_out_and_switch_off || fail "after the replay the lamp stayed green or the switch on"
  read -r _ down x y < <(target_buttons | head -1)
  read -r _ up ux uy < <(target_buttons | sed -n 2p)
  [ "$down $up" = "DOWN_L UP_L" ] || fail "the target saw: $(target_buttons | tr '\n' ';')"
  [ "$x,$y" = "$ux,$uy" ] || fail "press at $x,$y but release at $ux,$uy"
  check_tip "$x" "$y"
  record=$(last_record)
  [ "$record" = "2>$x:$y(2)" ] || fail "the body's last record was '$record', the target saw $x,$y"
  g=$(gap DOWN_L UP_L)
  # Three times the recorded spacing (ticks of 10 ms), with room for a busy machine.
  [ "$g" -ge $((2 * held)) ] && [ "$g" -le $((4 * held + 200)) ] || fail "held $held ms, replayed $g ms apart"
  toggle_switch  # and it takes real input again
  if [ "$scenario" = cover ]; then
    under=$(convert "$work/before.png" -format "%[hex:u.p{$x,$y}]" info:)
    [ "$under" = 808080 ] || fail "the body did not cover the tip at $x,$y (colour $under)"
  fi
  echo "$scenario: pressed and released at $x,$y, $g ms apart (held $held ms); lamp not green, switch off"
  ;;
drag)
  # Turned to face right first (a drag of the body with the switch off), so that a drag to the
  # right moves the tip by as much as the body.
  xdotool mousemove "$(button_x)" "$(button_y)" sleep 0.1 mousedown 1
  for _ in $(seq 1 30); do xdotool sleep 0.02 mousemove_relative 10 0; done
  xdotool sleep 0.3 mouseup 1
  poll read_windows
  toggle_switch
  x0=$f1l
  xdotool mousemove "$(button_x)" "$(button_y)" sleep 0.1 mousedown 1
  for _ in $(seq 1 8); do xdotool sleep 0.03 mousemove_relative 10 0; done
  xdotool sleep 0.16 mouseup 1
  poll saw_target UP_L || fail "the replayed release never reached the target"
  read -r _ down x y < <(target_buttons | head -1)
  read -r _ up ux uy < <(target_buttons | sed -n 2p)
  [ "$down $up" = "DOWN_L UP_L" ] || fail "the target saw: $(target_buttons | tr '\n' ';')"
  moves=$(target_events | awk '$2 == "MOVE"' | wc -l)
  [ "$moves" -ge 4 ] || fail "only $moves moves reached the target between press and release"
  dx=$((ux - x)) dy=$((uy - y))
  [ "$dx" -ge 78 ] && [ "$dx" -le 82 ] && [ "$dy" -ge -2 ] && [ "$dy" -le 2 ] ||
    fail "pressed at $x,$y and released at $ux,$uy: not 80 pixels to the right"
  read_windows
  [ $((f1l - x0)) -eq 80 ] || fail "the body ended $((f1l - x0)) pixels right, not 80"
  echo "drag: pressed at $x,$y, $moves moves, released at $ux,$uy"
  ;;
double)
  toggle_switch
  xdotool mousemove "$(button_x)" "$(button_y)" sleep 0.1 click --repeat 2 --delay 80 1
  poll eval '[ "$(target_buttons | wc -l)" -ge 4 ]' || fail "the target saw: $(target_buttons | tr '\n' ';')"
  sleep 1
  seen=$(target_buttons | awk '{ print $2 }' | tr '\n' ' ')
  [ "$seen" = "DOWN_L UP_L DBL_L UP_L " ] || fail "the target saw $seen"
  [ "$(target_buttons | awk '{ print $3, $4 }' | sort -u | wc -l)" -eq 1 ] || fail "the clicks were not at one point"
  echo "double: the target saw $seen"
  ;;
discard)
  toggle_switch
  screen_shot
  switch_picture "$work/switch_on.png"
  # Then a right press on the body away from the button, before the recording goes quiet: one
  # xdotool run, so that a busy machine cannot slip a quiet time between the two.
  xdotool mousemove "$(button_x)" "$(button_y)" sleep 0.1 mousedown 1 sleep 0.05 mouseup 1 \
    mousemove $((f1l + 110)) $((f1t + 110)) click 3
  sleep 2
  [ -z "$(target_buttons)" ] || fail "a discarded gesture was replayed: $(target_buttons | tr '\n' ';')"
  screen_shot
  switch_picture "$work/switch_now.png"
  same_picture "$work/switch_on.png" "$work/switch_now.png" || fail "the switch changed without a replay"
  echo "discard: nothing replayed, the switch still on"
  ;;
escape | session)
  toggle_switch
  cp "$work/switch_before.png" "$work/switch_off.png"
  creep_drag 15  # recorded over about 1.5 s, so the replay holds the button for about 4.5 s
  poll saw_target DOWN_L || fail "the replayed press never reached the target"
  if [ "$scenario" = escape ]; then
    # Seconds of the replay are left: the lamp shows green meanwhile.
    screen_shot
    [ "$(count_colour "$f1l" "$f1t" "$f1r" "$f1b" '#00F[EF]00')" -gt 0 ] || fail "the lamp was not green during the replay"
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
  [ "$(target_buttons | awk '{ print $2 }' | tr '\n' ' ')" = "DOWN_L UP_L " ] || fail "the target saw: $(target_buttons | tr '\n' ';')"
  if [ "$scenario" = escape ]; then
    [ "$after" -lt 1500 ] || fail "the release came $after ms after Esc, not at once"
    poll lamp_out_and_switch_off || fail "after Esc the lamp stayed green or the switch on"
    kill -0 "$pid" || fail "the program ended"
    echo "escape: lamp green during the replay; released $after ms after Esc; lamp not green, switch off"
  else
    poll program_ended || fail "the program still runs"
    pid=
    icon_gone() { ! probe tray - >/dev/null; }
    poll icon_gone || fail "the notification icon is still there"
    echo "session: the press was matched by its release; icon gone, program ended"
  fi
  ;;
*)
  fail "unknown scenario $scenario"
  ;;
esac
