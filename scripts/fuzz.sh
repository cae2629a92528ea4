#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs one of them.
#   scripts/fuzz.sh TARGET [SECONDS]     TARGET: decoder | datafile | on_report
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --fuzz
target=${1:?target: decoder, datafile or on_report}
seconds=${2:-60}
case "$target" in
  decoder) bin=fuzz_image_decoder ;;
  datafile) bin=fuzz_data_file ;;
  on_report) bin=fuzz_on_report ;;
  *) echo "unknown target $target" >&2; exit 2 ;;
esac
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSOMNEXA_FUZZ=ON -DSOMNEXA_GUI=OFF -DSOMNEXA_BENCH=OFF
cmake --build build-fuzz --target "$bin" -j"$(nproc)"
corpus=fuzz-corpus/$target
mkdir -p "$corpus"
exec build-fuzz/fuzz/"$bin" "$corpus" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048
