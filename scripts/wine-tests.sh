#!/usr/bin/env bash
# The Windows tests under Wine, on a virtual display in a throw-away prefix (the build must be
# there: scripts/build.sh mingw). Extra arguments go to both ctest runs, e.g. -R quillora_replay.
set -euo pipefail
source "$(dirname "$0")/without-aslr.sh"
cd "$(dirname "$0")/.."

source scripts/wine-env.sh
ctest --preset mingw --timeout 900 --label-exclude screen "$@"
# Those that read the screen or drive the pointer, twice in a row: one that fails one time in
# a few shows up here, not in a newcomer's first run.
ctest --preset mingw --timeout 900 --label-regex screen --repeat until-fail:2 "$@"
