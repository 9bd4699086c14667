#!/usr/bin/env bash
# Builds and runs what exists of the product. For now that is the compositor engine's demo:
# it draws the mouse body at eight angles, once natively and once as the Windows build under
# Wine, and saves both pictures (BMP and PNG) in out/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/build.sh all
mkdir -p out

build/native/tools/engine_demo out/engine_demo_native.bmp
source scripts/wine-env.sh
wine build/mingw/tools/engine_demo.exe 'out\engine_demo_wine.bmp'
for f in out/engine_demo_native out/engine_demo_wine; do
  convert "$f.bmp" "$f.png"
done
if cmp -s out/engine_demo_native.bmp out/engine_demo_wine.bmp; then
  echo "native and Windows builds drew the same pixels"
else
  echo "native and Windows builds drew different pixels" >&2
  exit 1
fi
echo "pictures: out/engine_demo_native.png, out/engine_demo_wine.png"
