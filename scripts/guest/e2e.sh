#!/usr/bin/env bash
# The i686 end-to-end tests (build/win32) under 32-bit Wine in the PC guest, for a machine
# whose kernel executes no 32-bit code. "subset" runs the tests labelled guest
# (e2e/CMakeLists.txt), "all" every one; further arguments go to ctest.
#   bash scripts/guest/e2e.sh subset|all [CTEST-ARGUMENT...]
# The logs come back to build/guest/out (LastTest.log, e2e-work/<test>/).
set -euo pipefail
cd "$(dirname "$0")/../.."
case ${1:-} in
  subset) select=(-L guest) ;;
  all) select=(-LE static) ;;
  *) echo "usage: $0 subset|all [ctest arguments]" >&2; exit 2 ;;
esac
shift
[ -f build/win32/CTestTestfile.cmake ] || { echo "build first: cmake --preset win32 && cmake --build --preset win32" >&2; exit 1; }
exec bash scripts/guest/run.sh bash scripts/guest/e2e-job.sh "${select[@]}" "$@"
