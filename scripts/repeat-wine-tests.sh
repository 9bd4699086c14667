#!/usr/bin/env bash
# Runs the Windows tests N times, each run in a fresh Wine prefix and a fresh virtual display,
# and prints, per test, in how many runs it failed. A test that fails once in a few runs is a
# failing test: this is how to find it before a newcomer's first run does.
#   scripts/repeat-wine-tests.sh N [--busy] [ctest arguments, e.g. -R quillora_replay]
# --busy adds a CPU hog at nice 19 on every core for the whole time, as a loaded machine has.
# Each run that had a failure keeps its ctest log and what its tests saved at the moment they
# failed (a screenshot, the logs of the windows they drove) in out/repeat/<time>/run-<i>/;
# the table is written to out/repeat/<time>/summary.txt too.
set -euo pipefail
source "$(dirname "$0")/without-aslr.sh"
cd "$(dirname "$0")/.."

usage() { echo "usage: $0 N [--busy] [ctest arguments]" >&2; exit 2; }
[ $# -ge 1 ] && [[ "$1" =~ ^[1-9][0-9]*$ ]] || usage
runs=$1
shift
busy=
ctest_args=()
for a in "$@"; do
  if [ "$a" = --busy ]; then busy=1; else ctest_args+=("$a"); fi
done

bash scripts/build.sh mingw >/dev/null

hogs=()
stop_hogs() {
  [ ${#hogs[@]} -eq 0 ] || kill "${hogs[@]}" >/dev/null 2>&1 || true
  hogs=()
}
trap stop_hogs EXIT
trap 'exit 130' INT TERM
if [ -n "$busy" ]; then
  for _ in $(seq 1 "$(nproc)"); do
    nice -n 19 bash -c 'while :; do :; done' &
    hogs+=($!)
  done
fi

out="out/repeat/$(date +%Y%m%d-%H%M%S)"
mkdir -p "$out"
declare -A ran failed
order=()
for i in $(seq 1 "$runs"); do
  dir="$out/run-$i"
  mkdir -p "$dir/artifacts"
  started=$SECONDS
  # A subshell: wine-env.sh's exit trap tears this run's prefix and display down.
  (
    export QUILL_TEST_ARTIFACTS="$PWD/$dir/artifacts"
    source scripts/wine-env.sh
    ctest --preset mingw --timeout 900 --output-on-failure ${ctest_args[@]+"${ctest_args[@]}"}
  ) >"$dir/ctest.log" 2>&1 || true
  # "  3/32 Test  #3: name ......   Passed    0.07 sec", or "***Failed", "***Timeout", "Not Run"
  results=$(sed -nE 's/^ *[0-9]+\/[0-9]+ +Test +#[0-9]+: ([^ ]+) [ .]*(\*\*\*)?([A-Za-z]+).*/\1 \3/p' "$dir/ctest.log")
  bad=0
  while read -r name status; do
    [ -n "$name" ] || continue
    [ -n "${ran[$name]:-}" ] || { order+=("$name"); ran[$name]=0; failed[$name]=0; }
    ran[$name]=$((ran[$name] + 1))
    if [ "$status" != Passed ]; then
      failed[$name]=$((failed[$name] + 1))
      bad=$((bad + 1))
    fi
  done <<<"$results"
  [ -n "$results" ] || bad=1  # nothing ran: the log says why
  echo "run $i/$runs: $bad failed, $((SECONDS - started)) s${busy:+ (busy)}"
  [ "$bad" -gt 0 ] || rm -rf "$dir"
done

{
  echo "$runs runs${busy:+, beside a CPU hog on every core}: failed/ran per test"
  for name in ${order[@]+"${order[@]}"}; do
    printf '  %-34s %d/%d\n' "$name" "${failed[$name]}" "${ran[$name]}"
  done
} | tee "$out/summary.txt"
total=0
for name in ${order[@]+"${order[@]}"}; do total=$((total + failed[$name])); done
[ ${#order[@]} -gt 0 ] && [ "$total" -eq 0 ]
