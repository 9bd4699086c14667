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
stop_target() {
  [ -n "$target_pid" ] && kill "$target_pid" >/dev/null 2>&1 || true
  target_pid=
}
target_events() { tail -n +"$((mark + 1))" "$work/target.log" | tr -d '\r'; }
# Lines the target logged since the mark whose event is one of the given names.
target_buttons() { target_events | awk '$2 != "MOVE"'; }
saw_target() { target_events | grep -q " $1 "; }

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
stop_program() {
  [ -n "$pid" ] && kill "$pid" >/dev/null 2>&1 || true
  wait "$pid" 2>/dev/null || true
  pid=
}
program_ended() { ! kill -0 "$pid" 2>/dev/null; }

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
colour_at() { convert "$work/shot.png" -format "%[hex:u.p{$1,$2}]" info:; }
switch_picture() { convert "$work/shot.png" -crop "$((f2r - f2l))x$((f2b - f2t))+$f2l+$f2t" +repage "$1"; }
same_picture() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }

# Clicks the switch's picture and waits until it shows the other state.
toggle_switch() {
  read_windows || fail "the program's windows are gone"
  screen_shot
  switch_picture "$work/switch_before.png"
  xdotool mousemove $((f2l + 23)) $((f2t + 14)) sleep 0.1 click 1
  switch_changed() { screen_shot && switch_picture "$work/switch_now.png" && ! same_picture "$work/switch_before.png" "$work/switch_now.png"; }
  poll switch_changed || fail "the switch did not change its picture"
}

# The on-screen button covers the middle of the body; the body is opaque at its centre.
button_x() { echo $((f1l + 65)); }
button_y() { echo $((f1t + 65)); }

# The recorder's last record, as the body's hidden label shows it: "<count>>x:y(code)".
last_record() { probe text "$form1" 100; }
