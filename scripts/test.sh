#!/usr/bin/env bash
# The whole test suite: installs what it needs, builds both presets, runs the tests natively
# and, cross-built, under Wine on a virtual display in a throw-away prefix.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/build.sh all

echo "== native tests =="
ctest --preset native -j "$(nproc)" --timeout 600

echo "== Windows tests under Wine =="
source scripts/wine-env.sh
ctest --preset mingw --timeout 900
