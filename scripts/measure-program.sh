#!/usr/bin/env bash
# Measures the running program under Wine on a virtual display (on demand, not a test):
#   replay  CPU of Quillora.exe and the wineserver during a replay of about 3 seconds, as a
#           share of one core.
# Builds the Windows preset first. Usage: scripts/measure-program.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh >/dev/null
bash scripts/build.sh mingw >/dev/null
source scripts/wine-env.sh

b=build/mingw
exe=$b/app/Quillora.exe dll=$b/compositor/com/Lumoscope.dll bmp=forms/Pointer.bmp
probe=$b/tests/wine/program/quill_window_probe.exe target=$b/tests/wine/program/quill_target_window.exe
source tests/wine/program/test_lib.sh
source tests/wine/program/replay_lib.sh
trap 'stop_target; cleanup' EXIT

# CPU time (clock ticks) used so far by the program and by this prefix's wineserver.
program_pids() {
  pgrep -f 'Quillora\.exe' || true
  for p in $(pgrep -x wineserver); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$p"
  done
}
cpu_ticks() {
  local total=0 p
  for p in $(program_pids); do
    total=$((total + $(awk '{ print $14 + $15 }' "/proc/$p/stat" 2>/dev/null || echo 0)))
  done
  echo "$total"
}
now_ms() { echo $(($(date +%s%N) / 1000000)); }
share() { awk -v t="$1" -v ms="$2" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.1f %% of a core over %d ms", 100 * t / hz * 1000 / ms, ms }'; }

install_program "$work/app"
start_target
start_program "$work/app"
activate_target
toggle_switch
# A press held while the body creeps for a second: the replay takes about three.
xdotool mousemove "$(button_x)" "$(button_y)" sleep 0.1 mousedown 1
for _ in $(seq 1 10); do xdotool sleep 0.1 mousemove_relative 1 0; done
xdotool sleep 0.16 mouseup 1
poll saw_target DOWN_L || fail "the replay did not start"
c0=$(cpu_ticks) t0=$(now_ms)
poll saw_target UP_L || fail "the replay did not end"
c1=$(cpu_ticks) t1=$(now_ms)
echo "replay: program + wineserver used $(share $((c1 - c0)) $((t1 - t0)))"
