#!/usr/bin/env bash
# The Windows archive as a user gets it: made by CPack from this build and unpacked into the
# root of drive C, it gives C:\TOVIKA; TOVIKA-SIM.exe started from there shows its window
# with the version of the archive's name (the example sim-firmware.ini beside it changes
# nothing and stops nothing), makes its sim-cmos.dat there, and TOVIKAC.exe prints the same
# version. The archive holds the i686 executables: on a machine that executes no 32-bit code
# (the win64 run) its contents are checked and the start is not tried.
source "$(dirname "$0")/lib.sh"
e2e_begin release_zip
e2e_unmanaged

[ -f "$E2E_RELEASE_BUILD_DIR/CPackConfig.cmake" ] ||
  e2e_fail "build the release first: cmake --preset win32 && cmake --build --preset win32"
cpack --config "$E2E_RELEASE_BUILD_DIR/CPackConfig.cmake" -B "$E2E_DIR/packages" >"$E2E_DIR/cpack.log" 2>&1 ||
  e2e_fail "cpack: $(tail -n 5 "$E2E_DIR/cpack.log")"
zips=("$E2E_DIR"/packages/TOVIKA-*-win32.zip)
[ ${#zips[@]} = 1 ] && [ -f "${zips[0]}" ] || e2e_fail "no single archive: ${zips[*]}"
version=$(basename "${zips[0]}" -win32.zip)
version=${version#TOVIKA-}
e2e_log "archive $(basename "${zips[0]}"), version $version"

# One folder with the three programs, the texts and the example firmware file; the programs
# are PE32 (i386) files.
expect_eq "files of the archive" \
  "TOVIKA/ TOVIKA/LICENSE.TXT TOVIKA/README-EN.TXT TOVIKA/README.TXT TOVIKA/TOVIKA-SIM.exe TOVIKA/TOVIKA.exe TOVIKA/TOVIKAC.exe TOVIKA/sim-firmware.ini" \
  "$(cmake -E tar tf "${zips[0]}" | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')"
unpacked=$E2E_DIR/unpacked
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "${zips[0]}")
for exe in TOVIKA.exe TOVIKA-SIM.exe TOVIKAC.exe; do
  expect_contains "format of $exe" "file format pei-i386" "$(LC_ALL=C objdump -f "$unpacked/TOVIKA/$exe")"
done
if [ "$E2E_ARCH" != win32 ]; then
  e2e_log "the archive's programs were not started: this run is on the $E2E_ARCH build, and they are i686 programs"
  exit 0
fi

# The archive instead of the program that e2e_begin put into C:\tovika (Wine would find
# C:\tovika and C:\TOVIKA the same folder).
rm -rf "$E2E_APP"
(cd "$WINEPREFIX/drive_c" && cmake -E tar xf "${zips[0]}")
E2E_APP=$WINEPREFIX/drive_c/TOVIKA
E2E_EXE_WIN='C:\TOVIKA\TOVIKA-SIM.exe'
[ -f "$(sim_ini)" ] || e2e_fail "the archive has no sim-firmware.ini"
[ ! -e "$(sim_cmos)" ] || e2e_fail "the archive holds a sim-cmos.dat"

e2e_start
drv wait-window >/dev/null
expect_value text "Prog Version $version" "$(drv state lbProgVer)"
expect_value caption TOVIKA "$(drv window)"
shot start
expect_eq "sim-cmos.dat size" 128 "$(stat -c %s "$(sim_cmos)")"
drv close
expect_exit "$E2E_PID" 0

out=$(cd "$E2E_APP" && wine 'C:\TOVIKA\TOVIKAC.exe' --version 2>"$E2E_DIR/tovikac.err" | tr -d '\r') ||
  e2e_fail "TOVIKAC.exe --version: $(cat "$E2E_DIR/tovikac.err")"
expect_eq "TOVIKAC.exe --version" "TOVIKAC $version" "$out"
