#!/usr/bin/env bash
# Builds the libFuzzer programs with clang (address and undefined-behaviour sanitizers) and runs
# each for FUZZ_SECONDS (default 30) from the committed corpus. New finds go to build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-30}"
build=build-fuzz
CXX=clang++ cmake -S . -B "$build" -DKESTRAVA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz_append fuzz_decoder fuzz_replay fuzz_settings
for target in append decoder replay settings; do
  work="$build/corpus/$target"
  mkdir -p "$work"
  cp -n fuzz/corpus/"$target"/* "$work"/ 2>/dev/null || true
  echo "fuzz_$target: ${seconds}s"
  "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    "$work" 2>&1 | grep -E "stat::number_of_executed_units|ERROR|invariant|SUMMARY" || true
  # A crash leaves a crash-* file and a non-zero status above; fail loudly.
  if ls crash-* leak-* timeout-* >/dev/null 2>&1; then
    echo "fuzz_$target found a failing input:"; ls crash-* leak-* timeout-* 2>/dev/null; exit 1
  fi
done
