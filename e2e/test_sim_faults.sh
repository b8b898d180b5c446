#!/usr/bin/env bash
# The simulated notebook's two faults from sim-firmware.ini, in the window: a firmware that
# does not answer (every call comes back with EAX as loaded: the hibernation size reads as
# its function number 0602h, every status word as 9904h) and CMOS bytes that read stuck
# (base memory 15h/16h = 256 KB) while sim-cmos.dat keeps its own bytes.
source "$(dirname "$0")/lib.sh"
e2e_begin sim_faults
e2e_unmanaged

printf 'firmware-answers = no\ncmos-stuck-15 = 0x00\ncmos-stuck-16 = 1\n' >"$(sim_ini)"
e2e_start
drv wait-window >/dev/null
report=$(drv text Memo2)
expect_contains "report" "  base memory :    256 kb" "$report"
expect_contains "report" "/00000602" "$report"
drv click btnCMOSDUMP
dump=$(drv text Memo2)
expect_contains "dump" "10 : 40,00,F0,00,0F,00,01,00" "$dump"
expect_contains "dump" "00 : 9904,9904,9904,9904,9904,9904,9904,9904" "$dump"
shot dump
expect_eq "sim-cmos.dat at 15h/16h" "80 02" "$(od -An -tx1 -j $((0x15)) -N 2 "$(sim_cmos)" | xargs)"
drv close
expect_exit "$E2E_PID" 0 "exit status"
