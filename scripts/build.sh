#!/usr/bin/env bash
# Configures and builds one preset or both: scripts/build.sh [native|mingw|all]
set -euo pipefail
cd "$(dirname "$0")/.."
which=${1:-all}
presets=()
case "$which" in
  native|mingw) presets=("$which") ;;
  all) presets=(native mingw) ;;
  *) echo "usage: $0 [native|mingw|all]" >&2; exit 2 ;;
esac
for p in "${presets[@]}"; do
  cmake --preset "$p" >/dev/null
  cmake --build --preset "$p" -j "$(nproc)"
done
