#!/usr/bin/env bash
# Real X input on the hosted control: a press, a drag and a release with xdotool must arrive as
# MouseDown, MouseMove and MouseUp in the control's own pixels, and never as Click.
#   real_input_test.sh <Lumoscope.dll> <lumoscope_input_probe.exe>
# Needs WINEPREFIX and DISPLAY (scripts/wine-env.sh).
set -euo pipefail
dll=$1
probe=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$dll" "$work/Lumoscope.dll"
wine regsvr32 /s "$work/Lumoscope.dll"
# The probe ends by itself within 15 s; waiting for it keeps its window from the next test.
probe_pid=
trap '[ -z "$probe_pid" ] || wait "$probe_pid" 2>/dev/null; wine regsvr32 /u /s "$work/Lumoscope.dll" >/dev/null 2>&1; rm -rf "$work"' EXIT

wine "$probe" >"$work/out.txt" 2>/dev/null &
probe_pid=$!
# Bounded, and long enough for a cold first start of Wine.
deadline=$((SECONDS + 60))
while [ "$SECONDS" -lt "$deadline" ]; do
  grep -q '^READY\|^FAILED' "$work/out.txt" 2>/dev/null && break
  sleep 0.05
done
read -r _ left top _ _ < <(grep '^READY' "$work/out.txt" || echo "READY -1 -1 0 0")
if [ "$left" -lt 0 ]; then
  echo "the probe did not host the control:"; cat "$work/out.txt"; exit 1
fi
# One xdotool run: the press, the move with the button held and the release, in that order.
xdotool mousemove $((left + 20)) $((top + 30)) sleep 0.2 mousedown 1 sleep 0.2 \
  mousemove $((left + 25)) $((top + 35)) sleep 0.2 mouseup 1
status=0
wait "$probe_pid" || status=$?
tr -d '\r' <"$work/out.txt" >"$work/events.txt"  # a Windows program's lines end in CR LF
mv "$work/events.txt" "$work/out.txt"
cat "$work/out.txt"
[ "$status" -eq 0 ] || { echo "probe exit status $status"; exit 1; }
grep -q '^EVENT 5: 1 0 20 30$' "$work/out.txt" || { echo "no MouseDown at (20, 30)"; exit 1; }
grep -q '^EVENT 6: 1 0 25 35$' "$work/out.txt" || { echo "no MouseMove with the button held at (25, 35)"; exit 1; }
grep -q '^EVENT 7: 1 0 25 35$' "$work/out.txt" || { echo "no MouseUp at (25, 35)"; exit 1; }
if grep -q '^EVENT 1:' "$work/out.txt"; then echo "Click was raised"; exit 1; fi
echo "real input: events as expected"
