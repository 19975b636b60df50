#!/usr/bin/env bash
# Builds and runs every test in a Release build and in an AddressSanitizer +
# UndefinedBehaviorSanitizer build, then runs each fuzzer for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
# The property-list reader takes the outside data of the whole suite and gets a full minute;
# the other readers half of that. VELT_FUZZ_SECONDS sets one budget for all.
fuzz_budget() {
  if [ -n "${VELT_FUZZ_SECONDS:-}" ]; then echo "$VELT_FUZZ_SECONDS"
  elif [ "$1" = fuzz_props ]; then echo 60
  else echo 30; fi
}

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DVELT_FUZZ=ON -DVELT_BENCH=OFF
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

for fuzzer in build-asan/fuzz/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  corpus=build-asan/fuzz-corpus/$name
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/corpus/$name" ] && seeds=("fuzz/corpus/$name")
  seconds=$(fuzz_budget "$name")
  echo "== $name for ${seconds}s"
  "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=4096 -print_final_stats=1 "$corpus" "${seeds[@]}" 2>&1 | tail -n 15
done
