#!/usr/bin/env bash
# A malformed sim-firmware.ini: the simulated notebook cannot start. The program says which
# line is wrong under its default title, opens no window, changes none of its files and ends
# with status 0.
source "$(dirname "$0")/lib.sh"
e2e_begin bad_firmware_ini

# A CMOS image of our own, so an unwanted rewrite would show.
head -c 128 /dev/urandom >"$(sim_cmos)"
printf '# firmware of the test\nhibernation-size = 0x2000000\nstatus-70 = 1\n' >"$(sim_ini)"
before=$(md5sum "$(sim_cmos)" "$(sim_ini)")

e2e_start
d=$(drv dialog)
expect_value title Tovika-sim "$d"
expect_contains "message" "sim-firmware.ini の 3 行目が正しくありません" "$(value text "$d")"
expect_contains "message" "status-70 = 1" "$(value text "$d")"
expect_value buttons OK "$d"
expect_value windows 0 "$(drv count)"
shot message
drv answer OK >/dev/null
expect_exit "$E2E_PID" 0 "exit status"
expect_value windows 0 "$(drv count)"
expect_eq "the files" "$before" "$(md5sum "$(sim_cmos)" "$(sim_ini)")"
[ "$(LC_ALL=C ls "$E2E_APP")" = "$(printf 'TOVIKA-SIM.exe\nsim-cmos.dat\nsim-firmware.ini')" ] ||
  e2e_fail "the program's folder changed: $(ls "$E2E_APP")"

# Without a CMOS image the program does not create one either.
rm "$(sim_cmos)"
e2e_start
expect_contains "message" "sim-firmware.ini の 3 行目" "$(value text "$(drv dialog)")"
drv answer OK >/dev/null
expect_exit "$E2E_PID" 0 "exit status"
[ ! -e "$(sim_cmos)" ] || e2e_fail "sim-cmos.dat was created"
