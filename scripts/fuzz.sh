#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer and runs each for a while.
# Usage: scripts/fuzz.sh [seconds per target, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/deps.sh --fuzz
dir=build-fuzz
CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DWEBLOOM_FUZZ=ON -DWEBLOOM_TESTS=OFF
cmake --build "$dir" -j "$(nproc)"
for target in policy_line_fuzzer steering_line_fuzzer convert_fuzzer; do
  corpus="$dir/corpus-$target"
  mkdir -p "$corpus"
  seeds=()
  case $target in
    policy_line_fuzzer) seeds=(tests/data/policy) ;;
    convert_fuzzer) seeds=(samples fuzz/seeds/convert) ;;
  esac
  echo "=== $target for ${seconds}s"
  "$dir/fuzz/$target" -max_total_time="$seconds" -max_len=65536 -timeout=20 \
    -print_final_stats=1 "$corpus" "${seeds[@]}" 2>&1 | tail -n 15
done
