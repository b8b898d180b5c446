#!/usr/bin/env bash
# The Windows archive as a user gets it: made by CPack from this build and unpacked into the
# root of drive C, it gives C:\TOVIKA; TOVIKA-SIM.exe started from there shows its window
# with the version of the archive's name (the example sim-firmware.ini beside it changes
# nothing and stops nothing), makes its sim-cmos.dat there, and TOVIKAC.exe prints the same
# version.
source "$(dirname "$0")/lib.sh"
e2e_begin release_zip
e2e_unmanaged

cpack --config "$E2E_BUILD_DIR/CPackConfig.cmake" -B "$E2E_DIR/packages" >"$E2E_DIR/cpack.log" 2>&1 ||
  e2e_fail "cpack: $(tail -n 5 "$E2E_DIR/cpack.log")"
zips=("$E2E_DIR"/packages/TOVIKA-*-win32.zip)
[ ${#zips[@]} = 1 ] && [ -f "${zips[0]}" ] || e2e_fail "no single archive: ${zips[*]}"
version=$(basename "${zips[0]}" -win32.zip)
version=${version#TOVIKA-}
e2e_log "archive $(basename "${zips[0]}"), version $version"

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
