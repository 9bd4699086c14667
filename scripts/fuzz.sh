#!/usr/bin/env bash
# Fuzzes with libFuzzer, AddressSanitizer and UBSan for a number of seconds each (default 600):
#   scripts/fuzz.sh [seconds]
# Two fuzzers, built by the native-asan preset: the BMP decoder, and the conversion of the
# control's late-bound call arguments run on the engine. Each run starts from a copy of its seed
# corpus (tests/fuzz/corpus/), so what it learns stays in build/fuzz/<fuzzer>/corpus and the
# repository's seeds are untouched. A finding (a crash, a sanitizer report, a broken promise, a
# leak, an input slower than 10 s or above 2 GB) is saved in build/fuzz/<fuzzer>/artifacts and
# ends the script with a non-zero status.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
bash scripts/install-deps.sh
cmake --preset native-asan >/dev/null
cmake --build --preset native-asan --target bmp_decoder_fuzzer dispatch_args_fuzzer

fuzz() {  # fuzz <fuzzer> <seed folder> [libFuzzer options]
  local name=$1 seeds=$2
  shift 2
  local out=build/fuzz/$name
  rm -rf "$out"
  mkdir -p "$out/artifacts"
  cp -r "$seeds" "$out/corpus"
  echo "== $name: $seconds s =="
  "build/native-asan/tests/fuzz/$name" "$out/corpus" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$out/artifacts/" "$@"
}

fuzz bmp_decoder_fuzzer tests/fuzz/corpus/bmp -dict=tests/fuzz/bmp.dict
fuzz dispatch_args_fuzzer tests/fuzz/corpus/dispatch
