#!/usr/bin/env bash
# Installs what the checks need, builds and runs every test in a Release build and in an
# AddressSanitizer + UndefinedBehaviorSanitizer build, then runs each fuzzer for a bounded time.
# Ends with one summary line; the exit status is 0 only when every stage passed.
set -uo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
tools/install-deps.sh || { echo "summary: dependencies could not be installed"; exit 1; }

# The property-list reader takes the outside data of the whole suite and gets a full minute;
# the other readers half of that. VELT_FUZZ_SECONDS sets one budget for all.
fuzz_budget() {
  if [ -n "${VELT_FUZZ_SECONDS:-}" ]; then echo "$VELT_FUZZ_SECONDS"
  elif [ "$1" = fuzz_props ]; then echo 60
  else echo 30; fi
}

release_tests() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release &&
    cmake --build build -j"$jobs" &&
    ctest --test-dir build --output-on-failure -j"$jobs"
}

sanitizer_tests() {
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DVELT_FUZZ=ON -DVELT_BENCH=OFF &&
    cmake --build build-asan -j"$jobs" &&
    ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --test-dir build-asan --output-on-failure -j"$jobs"
}

fuzzers() {
  local failed=0
  for fuzzer in build-asan/fuzz/fuzz_*; do
    [ -x "$fuzzer" ] || continue
    local name corpus seconds
    name=$(basename "$fuzzer")
    corpus=build-asan/fuzz-corpus/$name
    mkdir -p "$corpus"
    local seeds=()
    [ -d "fuzz/corpus/$name" ] && seeds=("fuzz/corpus/$name")
    seconds=$(fuzz_budget "$name")
    echo "== $name for ${seconds}s"
    "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=4096 -print_final_stats=1 "$corpus" "${seeds[@]}" \
      > "build-asan/$name.log" 2>&1 || { failed=1; echo "$name FAILED"; }
    tail -n 15 "build-asan/$name.log"
  done
  return $failed
}

verdict() { if [ "$1" -eq 0 ]; then echo passed; else echo FAILED; fi; }
release_tests; release=$?
sanitizer_tests; sanitizer=$?
if [ $sanitizer -eq 0 ]; then fuzzers; fuzz=$?; else fuzz=1; fi
echo "summary: tests $(verdict $release), sanitizer tests $(verdict $sanitizer), fuzzers $(verdict $fuzz)"
[ $release -eq 0 ] && [ $sanitizer -eq 0 ] && [ $fuzz -eq 0 ]
