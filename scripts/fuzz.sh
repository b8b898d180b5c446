#!/usr/bin/env bash
# Builds the fuzz target with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs it for the given number of seconds (default 60). The corpus is kept in
# build/fuzz/corpus so that longer runs go on where the last one stopped.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
      -DTOVIKA_SANITIZE=ON -DTOVIKA_FUZZ=ON >/dev/null
cmake --build build/fuzz --target fuzz_hardware -j2
mkdir -p build/fuzz/corpus
build/fuzz/fuzz/fuzz_hardware -max_total_time="$seconds" -max_len=400 -len_control=0 -print_final_stats=1 \
    build/fuzz/corpus 2>&1 | tail -n 12
