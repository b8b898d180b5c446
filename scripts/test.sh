#!/usr/bin/env bash
# Installs what is needed, builds and runs every test: the native unit tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, a short fuzzing run, the checks of the
# released i686 executables that need no Windows, and the end-to-end tests under Wine and
# Xvfb. The end-to-end tests run on the i686 executables where this machine executes 32-bit
# code, and otherwise on the same programs built for x86-64 under 64-bit Wine
# (TOVIKA_E2E=win32 or win64 chooses).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" = 0 ]; then
  bash scripts/install-deps.sh
else
  sudo bash scripts/install-deps.sh
fi
source scripts/wine-arch.sh
build=$(tovika_windows_build)

echo "== native build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "== short fuzzing run"
bash scripts/fuzz.sh 20

echo "== the released i686 executables, checked without running them"
cmake --preset win32 >/dev/null
cmake --build --preset win32
ctest --preset win32-static

if [ "$build" = win32 ]; then
  echo "== end-to-end tests on the i686 executables (build/win32) under 32-bit Wine: $(tovika_build_reason)"
  ctest --preset e2e -LE static
else
  echo "== end-to-end tests on the x86-64 executables (build/win64) under 64-bit Wine: $(tovika_build_reason)"
  cmake --preset win64 >/dev/null
  cmake --build --preset win64
  ctest --preset e2e-win64
  # CTest names the skipped tests; their reasons are in the log.
  grep -h '^SKIPPED on the' build/win64/Testing/Temporary/LastTest.log | sed 's/^/  /' || true
fi
bash scripts/test-packages.sh
