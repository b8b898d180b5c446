#!/usr/bin/env bash
# Builds the fuzz target with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs it for the given number of seconds (default 60). Everything stays in build/fuzz:
# the corpus (build/fuzz/corpus, so that longer runs go on where the last one stopped), the
# whole report of the run (build/fuzz/fuzz_hardware.log) and the input of a crash
# (build/fuzz/crash-*). The closing figures are printed; after a failure the whole report.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
      -DTOVIKA_SANITIZE=ON -DTOVIKA_FUZZ=ON >/dev/null
cmake --build build/fuzz --target fuzz_hardware -j2
mkdir -p build/fuzz/corpus
log=build/fuzz/fuzz_hardware.log
if ! build/fuzz/fuzz/fuzz_hardware -max_total_time="$seconds" -max_len=400 -len_control=0 -print_final_stats=1 \
       -artifact_prefix=build/fuzz/ build/fuzz/corpus >"$log" 2>&1; then
  cat "$log"
  echo "fuzz_hardware failed: the report is $log, the input that failed build/fuzz/crash-* (or leak-*, timeout-*)" >&2
  exit 1
fi
grep -E '^(Done|stat::)' "$log"
