#!/usr/bin/env bash
# Measures the real program under Wine on a virtual display (on demand, not a test). CPU is
# that of the program and this prefix's wineserver together, from /proc.
#   drag      CPU per step of a drag with the real pointer, beside the same drag of the floor
#             (bench/wine/drag_floor.cpp: only what every step must do); the ratio is the figure
#             that counts. Also whether the body is under the pointer within 100 ms of the end.
#   idle      CPU over 10 s with nothing moving (the heartbeat ticking)
#   replay    CPU during a replay of about 3 s
#   glide     CPU while a flicked body glides
#   gestures  resources of the process before and after 200 gestures recorded and replayed
# Usage: scripts/measure-program.sh [section...]   (all sections by default)
# QUILL_DRAG_STEPS (600) and QUILL_GESTURES (200) change the sizes.
set -euo pipefail
source "$(dirname "$0")/without-aslr.sh"
cd "$(dirname "$0")/.."
sections=("$@")
[ ${#sections[@]} -gt 0 ] || sections=(drag idle replay glide gestures)
bash scripts/install-deps.sh >/dev/null
bash scripts/build.sh mingw >/dev/null
source scripts/wine-env.sh

b=build/mingw
exe=$b/app/Quillora.exe dll=$b/compositor/com/Lumoscope.dll bmp=forms/Pointer.bmp
probe=$b/tests/wine/program/quill_window_probe.exe target=$b/tests/wine/program/quill_target_window.exe
floor=$b/bench/wine/quill_drag_floor.exe
source tests/wine/program/test_lib.sh
source tests/wine/program/replay_lib.sh
quill_on_exit stop_target
install_program "$work/app"

# CPU time (clock ticks) used so far by the processes matching a pattern and by this prefix's
# wineserver.
measured=Quillora
cpu_ticks() {
  local total=0 p
  for p in $(pgrep -f "$measured\\.exe" || true) $(pgrep -x 'wineserver(64)?' || true); do
    if [[ "$(cat "/proc/$p/comm" 2>/dev/null)" == wineserver* ]]; then
      tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
    fi
    total=$((total + $(awk '{ print $14 + $15 }' "/proc/$p/stat" 2>/dev/null || echo 0)))
  done
  echo "$total"
}
hz=$(getconf CLK_TCK)
now_ms() { echo $(($(date +%s%N) / 1000000)); }
share() { awk -v t="$1" -v ms="$2" -v hz="$hz" 'BEGIN { printf "%.2f %% of a core over %d ms", 100 * t / hz * 1000 / ms, ms }'; }

# A drag of N steps of 2 pixels, right then back, 3 ms apart, grabbed at x y; prints the CPU
# per step in microseconds and how long the window took to be back where the drag began.
drag_steps=${QUILL_DRAG_STEPS:-600}
drag_cpu() {
  local x=$1 y=$2 win=$3 half=$((drag_steps / 2)) chain=() i
  for ((i = 0; i < half; i++)); do chain+=(mousemove_relative -- 2 0 sleep 0.003); done
  for ((i = 0; i < half; i++)); do chain+=(mousemove_relative -- -2 0 sleep 0.003); done
  eval "$(xdotool getwindowgeometry --shell "$win")"
  local x0=$X y0=$Y
  xdotool mousemove "$x" "$y" sleep 0.3 mousedown 1 sleep 0.3
  local c0 t0 t1 back
  c0=$(cpu_ticks)
  xdotool "${chain[@]}"
  t0=$(now_ms)
  at_start() { eval "$(xdotool getwindowgeometry --shell "$win")" && [ "$X" -eq "$x0" ] && [ "$Y" -eq "$y0" ]; }
  poll at_start || fail "the window did not come back to $x0,$y0"
  t1=$(now_ms)
  back=$((t1 - t0))
  local c1
  c1=$(cpu_ticks)
  xdotool mouseup 1
  echo $(((c1 - c0) * 1000000 / hz / drag_steps)) "$back"
}

measure_drag() {
  measured=quill_drag_floor
  wine "$floor" >"$work/floor.txt" 2>/dev/null &
  local floor_pid=$!
  poll grep -q READY "$work/floor.txt" || fail "the floor program did not start"
  local fwin
  fwin=$(xdotool search --onlyvisible --name '^Drag floor$' | head -1)
  read -r floor_us floor_back < <(drag_cpu 385 265 "$fwin")
  kill "$floor_pid" 2>/dev/null || true
  measured=Quillora
  start_program "$work/app"
  local qwin
  qwin=$(xdotool search --onlyvisible --name '^Quillora$' | head -1)
  read -r quill_us quill_back < <(drag_cpu "$(button_x)" "$(button_y)" "$qwin")
  stop_program
  echo "drag: $drag_steps steps; CPU per step: Quillora $quill_us us, floor $floor_us us," \
    "ratio $(awk -v a="$quill_us" -v b="$floor_us" 'BEGIN { printf "%.2f", a / b }')"
  echo "drag: back under the pointer $quill_back ms after the last step (floor: $floor_back ms)"
}

# The wineserver also serves Wine's own services: its ticks over 10 s with no program running
# are the baseline taken off the idle figure.
measure_idle() {
  local c0 t0 c1 t1 base
  measured=nothing-at-all
  c0=$(cpu_ticks) t0=$(now_ms)
  sleep 10
  c1=$(cpu_ticks) t1=$(now_ms)
  base=$((c1 - c0))
  measured=Quillora
  start_program "$work/app"
  sleep 2
  c0=$(cpu_ticks) t0=$(now_ms)
  sleep 10
  c1=$(cpu_ticks) t1=$(now_ms)
  stop_program
  echo "idle: $(share $((c1 - c0)) $((t1 - t0))) (Wine's services alone: $(share "$base" 10000));" \
    "the program's share: $(share $((c1 - c0 - base)) $((t1 - t0)))"
}

measure_replay() {
  start_target
  start_program "$work/app"
  activate_target
  set_switch on
  # A press held while the body creeps for a second: the replay takes about three.
  drag_gesture 10 1 0 0.1
  poll saw_target DOWN_L || fail "the replay did not start"
  local c0 t0 c1 t1
  c0=$(cpu_ticks) t0=$(now_ms)
  poll saw_target UP_L || fail "the replay did not end"
  c1=$(cpu_ticks) t1=$(now_ms)
  stop_program
  stop_target
  echo "replay: $(share $((c1 - c0)) $((t1 - t0)))"
}

measure_glide() {
  start_program "$work/app"
  local win
  win=$(xdotool search --onlyvisible --name '^Quillora$' | head -1)
  xdotool mousemove "$(button_x)" "$(button_y)" sleep 0.2 mousedown 1
  local c0 t0 c1 t1 last="" same=0 now
  xdotool mousemove_relative 20 5 sleep 0.01 mousemove_relative 20 5 sleep 0.01 mousemove_relative 20 5 mouseup 1
  c0=$(cpu_ticks) t0=$(now_ms)
  # Glides until the window has kept its place for half a second.
  while [ "$same" -lt 5 ]; do
    sleep 0.1
    now=$(xdotool getwindowgeometry "$win" | grep Position)
    if [ "$now" = "$last" ]; then same=$((same + 1)); else same=0; fi
    last=$now
  done
  c1=$(cpu_ticks) t1=$(($(now_ms) - 500))
  stop_program
  echo "glide: $(share $((c1 - c0)) $((t1 - t0)))"
}

measure_gestures() {
  local n=${QUILL_GESTURES:-200} i before after ups
  start_target
  start_program "$work/app"
  activate_target
  gesture() {
    set_switch on
    ups=$(target_buttons | grep -c UP_L || true)
    xdotool mousemove "$(button_x)" "$(button_y)" sleep 0.05 mousedown 1 sleep 0.05 mouseup 1
    replayed() { [ "$(target_buttons | grep -c UP_L)" -gt "$ups" ]; }
    poll replayed || fail "gesture $i was not replayed"
    # The switch turns off at the end of the replay.
    poll switch_is off || fail "the switch did not turn off after gesture $i"
  }
  i=0
  gesture
  sleep 1
  before=$(probe resources -)
  for ((i = 1; i <= n; i++)); do gesture; done
  sleep 1
  after=$(probe resources -)
  stop_program
  echo "gestures: $n recorded and replayed"
  echo "gestures: before: $before"
  echo "gestures: after:  $after"
  echo "gestures: (Wine reports 0 GDI and USER objects; the window count stands in for USER objects)"
}

for s in "${sections[@]}"; do "measure_$s"; done
