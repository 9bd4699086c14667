#!/usr/bin/env bash
# Replays that stop the moment their world changes: in the middle of a slow replay into a window
# of the tests, something happens, and the replay releases what it holds, sends nothing more and
# ends (lamp not green, switch off).
#   replay_stop_test.sh <scenario> <Quillora.exe> <Lumoscope.dll> <Pointer.bmp> <window_probe.exe> <target_window.exe>
# Scenarios: closed and minimised (the target goes away between the gesture's two presses; a
# second window lies behind it), takeover (the user moves the real pointer), session (the
# session is locked, then unlocked), power (the machine suspends), display (the display
# changes), menu (the user hovers the notification icon), traynotify (the icon's notification
# arrives without the pointer moving).
# Needs WINEPREFIX and DISPLAY (scripts/wine-env.sh).
set -euo pipefail
scenario=$1 exe=$2 dll=$3 bmp=$4 probe=$5 target=$6
here=$(dirname "$0")
test_name=replay_stop_$scenario
source "$here/test_lib.sh"
source "$here/replay_lib.sh"
quill_on_exit stop_target

# The window behind the target, at the same place: what the rest of a gesture would land on.
behind_pid=
stop_behind() {
  [ -n "$behind_pid" ] || return 0
  if kill -0 "$behind_pid" 2>/dev/null; then
    probe quit "Quill behind" >/dev/null || true
    QUILL_POLL_SECONDS=20 poll eval '! kill -0 "$behind_pid"' || kill "$behind_pid" >/dev/null 2>&1 || true
  fi
  wait "$behind_pid" 2>/dev/null || true
  behind_pid=
}
behind_presses() { tr -d '\r' <"$work/behind.log" | awk '$2 ~ /^(DOWN|DBL)_/'; }
if [ "$scenario" = closed ] || [ "$scenario" = minimised ]; then
  quill_on_exit stop_behind
  wine "$target" 200 100 1000 650 "Quill behind" >"$work/behind.log" 2>/dev/null &
  behind_pid=$!
  poll grep -q '^READY' "$work/behind.log" || fail "the window behind did not start"
fi

install_program "$work/app"
start_target
start_program "$work/app"
activate_target
set_switch on

# No button is left held on the desktop, whichever window took the release.
buttons_up() { [ "$(probe buttons -)" = 000 ]; }

# Milliseconds from now until the target has seen the release.
ms_until_release() {
  local t0
  t0=$(date +%s%N)
  poll saw_target UP_L || fail "the held button was never released (the target saw: $(target_sequence))"
  echo $((($(date +%s%N) - t0) / 1000000))
}
# A stop releases at once: well within the seconds of the replay's hold that are left.
expect_stopped_at_once() {
  local after
  after=$(ms_until_release)
  [ "$after" -lt 1500 ] || fail "the release came $after ms after $1, not at once"
  wait_replay_over
  [ "$(target_sequence)" = "DOWN_L UP_L " ] || fail "after $1 the target saw: $(target_buttons | tr '\n' ';')"
  buttons_up || fail "after $1 the desktop holds a button: $(probe buttons -)"
  kill -0 "$pid" || fail "the program ended"
  echo "$scenario: released $after ms after $1; nothing followed; lamp not green, switch off"
}
# A gesture recorded over about 1.5 s, a pixel at a time: its replay holds the button for about
# 4.5 s, and the program is told of the change once the press has arrived.
slow_press_then() {
  drag_gesture 15 1 0 0.1
  poll saw_target DOWN_L || fail "the replayed press never reached the target"
  "$@"
}

# Menus: the icon's place as Win32 lays it out, the popup menu while it is open.
menu_open() { probe menu - >"$work/menu.txt" && grep -q . "$work/menu.txt"; }
menu_closed() { ! menu_open; }
# Esc away from the icon (over it the menu opens again at once). A release the replay made over
# the icon may open it once more after the first one closes: closed means closed for a moment.
try_close_menu() {
  menu_closed || xdotool mousemove 1100 700 sleep 0.3 key Escape
  sleep 0.5
  menu_closed
}
close_menu() { poll try_close_menu || fail "the menu stayed open"; }

case "$scenario" in
closed | minimised)
  # Two presses in one run: the first held about a second while the body moves, then released;
  # the second follows. The replay holds the first for about three seconds.
  args=(mousemove "$(button_x)" "$(button_y)" sleep 0.1 mousedown 1)
  for _ in $(seq 1 8); do args+=(sleep 0.1 mousemove_relative -- 1 0); done
  args+=(sleep "$kReleaseAfterLastStep" mouseup 1 sleep 0.1 mousedown 1)
  for _ in 1 2 3; do args+=(sleep 0.1 mousemove_relative -- 1 0); done
  args+=(sleep "$kReleaseAfterLastStep" mouseup 1)
  xdotool "${args[@]}"
  poll saw_target DOWN_L || fail "the replayed press never reached the target"
  if [ "$scenario" = closed ]; then probe quit "Quill target"; else probe minimise "Quill target"; fi
  # Under Wine the window that becomes the foreground in the target's place was seen to rise
  # above the topmost body and switch: each look puts them in front again first.
  lifted() { read_windows && probe raise "$form1" && probe raise "$form2" && "$@"; }
  poll lifted lamp_not_green || fail "after the replay the lamp stayed green"
  poll lifted switch_is off || fail "after the replay the switch stayed on"
  [ -z "$(behind_presses)" ] || fail "the window behind received a press: $(behind_presses | tr '\n' ';')"
  [ "$(target_buttons | awk '$2 ~ /^(DOWN|DBL)_/' | wc -l)" -eq 1 ] || fail "the target saw: $(target_sequence)"
  buttons_up || fail "after the replay the desktop holds a button: $(probe buttons -)"
  kill -0 "$pid" || fail "the program ended"
  echo "$scenario: the target took one press; the window behind none ($(tr -d '\r' <"$work/behind.log" | awk '$2 != "MOVE" && $1 != "READY" { print $2 }' | tr '\n' ' '))"
  ;;
takeover)
  slow_press_then true
  xdotool mousemove_relative -- 40 30
  read -r px py < <(xdotool getmouselocation | sed 's/x:\([0-9]*\) y:\([0-9]*\).*/\1 \2/')
  expect_stopped_at_once "the user's move"
  read -r qx qy < <(xdotool getmouselocation | sed 's/x:\([0-9]*\) y:\([0-9]*\).*/\1 \2/')
  [ "$qx,$qy" = "$px,$py" ] || fail "the pointer the user moved to $px,$py was moved on to $qx,$qy"
  ;;
session)
  slow_press_then probe session lock
  expect_stopped_at_once "the lock"
  probe session unlock
  # Anything the unlock sent went in before the probe returned; a real click far from the body
  # arrives after it, so what the target saw before that click is all there was.
  mark=$(wc -l <"$work/target.log")
  xdotool mousemove 1150 700 click 1
  poll saw_target UP_L || fail "the target did not take a real click"
  [ "$(target_sequence)" = "DOWN_L UP_L " ] || fail "after the unlock the target saw: $(target_buttons | tr '\n' ';')"
  echo "session: nothing more after the unlock"
  ;;
power)
  slow_press_then probe power suspend
  expect_stopped_at_once "the suspend"
  probe power resume
  ;;
display)
  slow_press_then probe displaychange -
  expect_stopped_at_once "the display change"
  ;;
menu | traynotify)
  icon_found() { probe tray - >"$work/icon.txt" && grep -q . "$work/icon.txt"; }
  poll icon_found || fail "no notification icon appeared"
  read -r tx ty <"$work/icon.txt"
  if [ "$scenario" = menu ]; then
    slow_press_then xdotool mousemove "$tx" "$ty" sleep 0.1 mousemove $((tx + 1)) "$ty"
  else
    slow_press_then probe traynotify -
  fi
  poll menu_open || fail "the menu did not open"
  # The replay stopped before the menu opened: while the menu stays open (its loop would hold a
  # replay's wait), the desktop holds no button, the switch shows off and the lamp is not green.
  # The release goes to whatever window takes it first: the target, the icon the pointer was
  # moved to, or the menu that opened under the pointer.
  poll buttons_up || fail "the replayed button stayed held while the menu was open"
  poll switch_is off || fail "the switch stayed on while the menu was open"
  lamp_not_green || fail "the lamp was green while the menu was open"
  menu_open || fail "the menu closed by itself"
  close_menu
  wait_replay_over
  # After a hover the release goes where the user moved the pointer, over the icon.
  [ "$(target_buttons | awk '$2 ~ /^(DOWN|DBL)_/' | wc -l)" -eq 1 ] || fail "the target saw: $(target_sequence)"
  kill -0 "$pid" || fail "the program ended"
  echo "$scenario: the replay stopped and released, then the menu opened; nothing followed"
  ;;
*)
  fail "unknown scenario $scenario"
  ;;
esac
