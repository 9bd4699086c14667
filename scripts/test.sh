#!/usr/bin/env bash
# The whole test suite: installs what it needs, builds the presets, runs the tests natively,
# again under AddressSanitizer and UBSan, fuzzes each fuzzer for a minute, and runs the
# cross-built tests under Wine on a virtual display in a throw-away prefix.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/build.sh all

echo "== native tests =="
ctest --preset native -j "$(nproc)" --timeout 600

echo "== native tests under AddressSanitizer and UBSan =="
bash scripts/build.sh native-asan
ctest --preset native-asan -j "$(nproc)" --timeout 600

echo "== fuzzing =="
bash scripts/fuzz.sh 60

echo "== Windows tests under Wine =="
bash scripts/wine-tests.sh
