#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for the given number of seconds (default 60): fuzz_hardware (arbitrary CMOS
# images and firmware answers through the window's jobs) and fuzz_cli (the command line's
# arguments, files and simulated notebook). Everything stays in build/fuzz: each target's
# corpus (build/fuzz/corpus and build/fuzz/corpus-cli, so that longer runs go on where the last
# one stopped; fuzz_cli starts from the seeds in fuzz/cli-seeds), the whole report of its run
# (build/fuzz/<target>.log) and the input of a crash (build/fuzz/<target>-crash-*). The closing
# figures are printed; after a failure the whole report.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
      -DTOVIKA_SANITIZE=ON -DTOVIKA_FUZZ=ON >/dev/null
cmake --build build/fuzz --target fuzz_hardware fuzz_cli -j2

# run TARGET CORPUS [libFuzzer options and more corpus folders]
run() {
  local target=$1 corpus=$2
  shift 2
  local log=build/fuzz/$target.log
  mkdir -p "$corpus"
  echo "$target: $seconds s"
  if ! "build/fuzz/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
         -artifact_prefix="build/fuzz/$target-" "$corpus" "$@" >"$log" 2>&1; then
    cat "$log"
    echo "$target failed: the report is $log, the input that failed build/fuzz/$target-crash-*" \
         "(or -leak-*, -timeout-*)" >&2
    exit 1
  fi
  grep -E '^(Done|stat::)' "$log"
}

run fuzz_hardware build/fuzz/corpus -max_len=400 -len_control=0
run fuzz_cli build/fuzz/corpus-cli -max_len=1024 -dict=build/fuzz/fuzz/fuzz_cli.dict fuzz/cli-seeds
