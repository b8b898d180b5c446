#!/usr/bin/env bash
# Installs what is needed, builds and runs every test: the native unit tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, a short fuzzing run, the checks of the
# released i686 executables that need no Windows, and the end-to-end tests under Wine and
# Xvfb. The end-to-end tests run on the i686 executables where this machine executes 32-bit
# code. Otherwise they run on the same programs built for x86-64 under 64-bit Wine, and a
# subset runs on the i686 executables under 32-bit Wine in a PC guest under QEMU
# (scripts/guest). TOVIKA_E2E=win32 or win64 forces one build alone; TOVIKA_E2E=guest runs the
# whole i686 suite in the guest instead of the x86-64 one.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" = 0 ]; then
  bash scripts/install-deps.sh
else
  sudo bash scripts/install-deps.sh
fi
source scripts/wine-arch.sh
build=$(tovika_windows_build)
guest=$(tovika_guest_suite)

echo "== native build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "== short fuzzing run"
bash scripts/fuzz.sh 20

echo "== the released i686 executables, checked without running them"
cmake --preset win32 -D TOVIKA_E2E_TIME_FACTOR="$(tovika_time_factor)" >/dev/null
cmake --build --preset win32
ctest --preset win32-static

if [ "$build" = win32 ]; then
  echo "== end-to-end tests on the i686 executables (build/win32) under 32-bit Wine: $(tovika_build_reason)"
  ctest --preset e2e -LE static
elif [ "$guest" != all ]; then
  echo "== end-to-end tests on the x86-64 executables (build/win64) under 64-bit Wine: $(tovika_build_reason)"
  cmake --preset win64 >/dev/null
  cmake --build --preset win64
  ctest --preset e2e-win64
  # CTest names the skipped tests; their reasons are in the log.
  grep -h '^SKIPPED on the' build/win64/Testing/Temporary/LastTest.log | sed 's/^/  /' || true
fi
if [ "$guest" != none ]; then
  echo "== end-to-end tests on the i686 executables under 32-bit Wine in the PC guest ($guest): $(tovika_build_reason)"
  bash scripts/guest/e2e.sh "$guest"
fi
bash scripts/test-packages.sh
