#!/usr/bin/env bash
# Installs what is needed, builds TOVIKA-SIM.exe and starts it under Wine with a Japanese
# locale: the i686 program where this machine executes 32-bit code, otherwise the same
# program built for x86-64 under 64-bit Wine (TOVIKA_E2E=win32 or win64 chooses). On $DISPLAY
# the window stays until you close it. Without a display it runs on a private Xvfb server,
# saves a screenshot of the window once it has painted, says where, and ends.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if [ "$(id -u)" = 0 ]; then bash scripts/install-deps.sh; else sudo bash scripts/install-deps.sh; fi
source scripts/wine-arch.sh
build=$(tovika_windows_build)
cmake --preset "$build" >/dev/null
cmake --build --preset "$build" --target TOVIKA-SIM tovika-e2e-driver

tovika_use_wine "$build"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all
export WINEPREFIX=${TOVIKA_WINEPREFIX:-$root/build/wineprefix-$build}
exe=$root/build/$build/TOVIKA-SIM.exe
echo "TOVIKA-SIM.exe of build/$build under ${WINEARCH/win/}-bit Wine: $(tovika_build_reason)"

if [ -n "${DISPLAY:-}" ]; then
  bash scripts/wine-prefix.sh "$WINEPREFIX"
  echo "TOVIKA-SIM.exe: the simulated notebook is kept in build/$build/sim-cmos.dat"
  exec wine "$exe"
fi

display=:$((70 + RANDOM % 20))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() { wineserver -k 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true; }
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
bash scripts/wine-prefix.sh "$WINEPREFIX"

wine "$exe" >/dev/null 2>&1 &
# The test driver waits until the window is shown, has loaded the settings, written its
# reports and painted: until its thread has come back for messages after all of that.
wine "$root/build/$build/e2e/tovika-e2e-driver.exe" wait-window >/dev/null
mkdir -p build/screens
shot=$root/build/screens/tovika-sim.png
import -window root -crop 1024x768+0+0 "$shot"
echo "No display: TOVIKA-SIM.exe ran under Xvfb; screenshot of its window: $shot"
