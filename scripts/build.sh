#!/usr/bin/env bash
# Configures and builds presets: scripts/build.sh [native|native-asan|mingw|mingw-debug|all]
# ("all" is native and mingw, the two the product needs).
set -euo pipefail
cd "$(dirname "$0")/.."
which=${1:-all}
presets=()
case "$which" in
  native|native-asan|mingw|mingw-debug) presets=("$which") ;;
  all) presets=(native mingw) ;;
  *) echo "usage: $0 [native|native-asan|mingw|mingw-debug|all]" >&2; exit 2 ;;
esac
for p in "${presets[@]}"; do
  cmake --preset "$p" >/dev/null
  cmake --build --preset "$p" -j "$(nproc)"
done
