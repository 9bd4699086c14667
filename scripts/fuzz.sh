#!/usr/bin/env bash
# Fuzzes the BMP decoder with libFuzzer, AddressSanitizer and UBSan for a number of seconds
# (default 600): scripts/fuzz.sh [seconds]. Not part of CI. The seed corpus is copied first,
# so what the run learns stays in build/fuzz/corpus and the repository's seeds are untouched;
# a finding is saved in build/fuzz/artifacts and ends the run with a non-zero status.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
bash scripts/install-deps.sh

out=build/fuzz
mkdir -p "$out/artifacts"
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I. tests/fuzz/bmp_decoder_fuzzer.cpp common/bmp/*.cpp -o "$out/bmp_decoder_fuzzer"

rm -rf "$out/corpus"
cp -r tests/fuzz/corpus/bmp "$out/corpus"
"$out/bmp_decoder_fuzzer" "$out/corpus" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$out/artifacts/" -dict=tests/fuzz/bmp.dict
