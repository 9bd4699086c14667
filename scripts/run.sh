#!/usr/bin/env bash
# Builds everything and runs Quillora under Wine in a throw-away prefix (its manifest finds
# Lumoscope.dll beside it: nothing is registered), drags the body, clicks the switch and saves
# screenshots in out/
# (quillora_start.png, quillora_dragged.png, quillora_switch_on.png). Set QUILL_ENGINE_DEMO=1
# to also draw the engine demo (out/engine_demo_*.png, native and Windows builds compared).
set -euo pipefail
source "$(dirname "$0")/without-aslr.sh"
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/build.sh all
mkdir -p out
app=build/mingw/app

source scripts/wine-env.sh
wine "$app/Quillora.exe" &
pid=$!

win=
for _ in $(seq 1 150); do
  win=$(xdotool search --name '^Quillora$' 2>/dev/null | head -1) && [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "Quillora's window did not appear" >&2; exit 1; }
sleep 1  # let the first paint land
import -window root out/quillora_start.png

# Drag the body by an opaque pixel (key-coloured pixels let the press through).
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)); sleep 0.2  # the body's centre is opaque
xdotool mousedown 1; sleep 0.2
for _ in $(seq 1 10); do xdotool mousemove_relative 15 6; sleep 0.05; done
xdotool mouseup 1; sleep 1
import -window root out/quillora_dragged.png

# The switch window is the 47 by 48 window without a title that trails the body.
switch=$(xdotool search --name '^$' 2>/dev/null | while read -r w; do
  eval "$(xdotool getwindowgeometry --shell "$w")"
  [ "$WIDTH" = 47 ] && [ "$HEIGHT" = 48 ] && { echo "$w"; break; }
done)
if [ -n "$switch" ]; then
  eval "$(xdotool getwindowgeometry --shell "$switch")"
  xdotool mousemove $((X + 16)) $((Y + 15)) click 1; sleep 1
  import -window root out/quillora_switch_on.png
else
  echo "the switch window was not found; no switch screenshot" >&2
fi
echo "screenshots: out/quillora_start.png, out/quillora_dragged.png, out/quillora_switch_on.png"
if [ -n "${QUILL_USE_DISPLAY:-}" ]; then
  # On the user's own display the program stays: its notification icon's menu ends it.
  echo "Quillora runs on $DISPLAY; choose 終了 from its notification icon to end it"
  wait "$pid" || true
else
  kill "$pid" 2>/dev/null || true
fi
wineserver -k

if [ -n "${QUILL_ENGINE_DEMO:-}" ]; then
  build/native/tools/engine_demo out/engine_demo_native.bmp
  wine build/mingw/tools/engine_demo.exe 'out\engine_demo_wine.bmp'
  for f in out/engine_demo_native out/engine_demo_wine; do convert "$f.bmp" "$f.png"; done
  cmp -s out/engine_demo_native.bmp out/engine_demo_wine.bmp ||
    { echo "native and Windows builds drew different pixels" >&2; exit 1; }
  echo "engine demo: out/engine_demo_native.png, out/engine_demo_wine.png (same pixels)"
fi
