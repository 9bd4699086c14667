# Sourced after test_lib.sh: the program started beside a target window of the tests, found
# and driven from outside. Needs exe, dll, bmp, probe and target set by the caller.

probe() { wine "$probe" "$@" 2>/dev/null | tr -d '\r'; }

# The target: an ordinary window under the body that logs what it receives (target_window.cpp).
target_pid=
start_target() {
  wine "$target" 200 100 1000 650 >"$work/target.log" 2>/dev/null &
  target_pid=$!
  poll grep -q '^READY' "$work/target.log" || fail "the target window did not start"
}
target_ended() { ! kill -0 "$target_pid" 2>/dev/null; }
stop_target() {
  [ -n "$target_pid" ] || return 0
  if ! target_ended; then
    probe quit "Quill target" >/dev/null || true
    QUILL_POLL_SECONDS=20 poll target_ended || kill "$target_pid" >/dev/null 2>&1 || true
  fi
  wait "$target_pid" 2>/dev/null || true
  target_pid=
}
target_events() { tail -n +"$((mark + 1))" "$work/target.log" | tr -d '\r'; }
# Lines the target logged since the mark whose event is one of the given names.
target_buttons() { target_events | awk '$2 != "MOVE"'; }
saw_target() { target_events | grep -q " $1 "; }
# What the target saw since the mark: its button events in order, e.g. "DOWN_L UP_L ".
target_sequence() { target_buttons | awk '{ print $2 }' | tr '\n' ' '; }

# The program's windows as the probe lists them: the body is titled Quillora, the switch is
# the other small visible one.
read_windows() {
  probe windows - >"$work/windows.txt" || return 1
  read -r form1 _ f1l f1t f1r f1b _ < <(awk '$2 == 1 && $7 == "Quillora"' "$work/windows.txt") || return 1
  read -r form2 _ f2l f2t f2r f2b < <(awk '$2 == 1 && $7 != "Quillora" && $5 - $3 < 60 && $6 - $4 < 60' "$work/windows.txt") || return 1
}
body_sized() { read_windows && [ $((f1r - f1l)) -eq "$1" ] && [ $((f1b - f1t)) -eq "$1" ]; }

# Starts the program from a folder and waits until the body shows at the artwork's size.
start_program() {
  local size
  size=$(identify -format '%w' "$1/Pointer.bmp")
  (cd "$1" && exec wine ./Quillora.exe) &
  pid=$!
  poll body_sized "$size" || fail "the body did not appear at ${size}x$size"
}

# The user works in the target: a click far from the body brings it to the front. Later events
# are counted from the mark.
activate_target() {
  mark=0
  xdotool mousemove 1150 700 click 1
  poll saw_target UP_L || fail "the target did not take a real click"
  mark=$(wc -l <"$work/target.log")
}

# Pixels of one colour in a screen rectangle (left top right bottom).
screen_shot() { import -window root "$work/shot.png"; }
count_colour() {
  convert "$work/shot.png" -crop "$(($3 - $1))x$(($4 - $2))+$1+$2" +repage -format %c histogram:info:- |
    awk -v c="$5" 'toupper($0) ~ c { n += $1 } END { print n + 0 }'
}
# The one colour of a screen rectangle, or nothing when it holds several.
only_colour() {
  convert "$work/shot.png" -crop "$(($3 - $1))x$(($4 - $2))+$1+$2" +repage -format %c histogram:info:- |
    awk 'NF { n++; c = $3 } END { if (n == 1) print toupper(c) }'
}

# The status lamp is a small disc on the body, painted in colours nothing else on this screen
# has: red (#FF0000) while recording, green one step off the key (#00FE00) while replaying,
# white when idle. The body's artwork has no red or green; the switch's reds are others.
lamp_shows() {
  local colour=$1
  read_windows && screen_shot && [ "$(count_colour "$f1l" "$f1t" "$f1r" "$f1b" "$colour")" -gt 0 ]
}
lamp_not_green() { read_windows && screen_shot && [ "$(count_colour "$f1l" "$f1t" "$f1r" "$f1b" '#00FE00')" -eq 0 ]; }

# The switch's state as its own opaque pixels show it: the inner disc of its lamp picture
# (centred 22,14 in the switch window) is bright red when on and dark red when off. The
# picture's white corners are the switch's transparent colour and show whatever lies beneath.
switch_is() {
  local want
  case "$1" in on) want='#FF2020' ;; off) want='#600000' ;; *) return 2 ;; esac
  read_windows && screen_shot && [ "$(only_colour $((f2l + 20)) $((f2t + 12)) $((f2l + 26)) $((f2t + 17)))" = "$want" ]
}

# Clicks the switch's disc (one xdotool run) and waits until it shows the state asked for.
set_switch() {
  switch_is "$1" && return 0
  read_windows || fail "the program's windows are gone"
  xdotool mousemove $((f2l + 23)) $((f2t + 14)) sleep 0.1 click 1
  poll switch_is "$1" || fail "the switch did not turn $1"
}

# The end of a replay as the user sees it: the lamp no longer green, the switch showing off.
wait_replay_over() {
  poll lamp_not_green || fail "after the replay the lamp stayed green"
  poll switch_is off || fail "after the replay the switch stayed on"
}

# The on-screen button covers the middle of the body; the body is opaque at its centre.
button_x() { echo $((f1l + 65)); }
button_y() { echo $((f1t + 65)); }

# The recorder's last record, as the body's hidden label shows it: "<count>>x:y(code)".
last_record() { probe text "$form1" 100; }

# Moving the body with the left button held. After the last step the release must come once a
# heartbeat (every 100 ms) has cleared that step, or it flicks the body on, and, while
# recording, before the recording has been quiet for more than 20 ticks of 10 ms (checked at
# heartbeats, so at 210 ms at the earliest). 155 ms sits in the middle of that window.
readonly kReleaseAfterLastStep=0.155
# drag_gesture STEPS DX DY GAP [RELEASE]: press the button, STEPS moves by DX,DY each GAP
# seconds apart, then the release RELEASE seconds after the last (by default the time above),
# all in one xdotool run.
drag_gesture() {
  local steps=$1 dx=$2 dy=$3 gap=$4 release=${5:-$kReleaseAfterLastStep} args=()
  for _ in $(seq 1 "$steps"); do args+=(sleep "$gap" mousemove_relative -- "$dx" "$dy"); done
  xdotool mousemove "$(button_x)" "$(button_y)" sleep 0.1 mousedown 1 "${args[@]}" sleep "$release" mouseup 1
}
