#!/usr/bin/env bash
# Installs what is needed, builds both presets and runs every test: the native unit tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, a short fuzzing run, and the
# end-to-end tests of TOVIKA-SIM.exe under Wine and Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" = 0 ]; then
  bash scripts/install-deps.sh
else
  sudo bash scripts/install-deps.sh
fi

echo "== native build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "== short fuzzing run"
bash scripts/fuzz.sh 20

echo "== Windows build and end-to-end tests under Wine"
cmake --preset win32 >/dev/null
cmake --build --preset win32
ctest --preset e2e
bash scripts/test-packages.sh
