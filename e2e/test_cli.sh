#!/usr/bin/env bash
# TOVIKAC.exe, the command line as a Windows console program, on the simulated notebook: its
# output in code page 932 as the window's texts, a value given by its Japanese text, a
# backup restored after a change, JSON in UTF-8, and the exit statuses of bad input, a
# silent firmware and a byte that does not keep what was written. Then the real ports in the
# NT family without giveio: the grant is missing, the first instruction is refused, status 3.
source "$(dirname "$0")/lib.sh"
e2e_begin cli
cp "$E2E_BUILD_DIR/TOVIKAC.exe" "$E2E_APP/"

byte() { od -An -tx1 -j "$1" -N1 "$(sim_cmos)" | tr -d ' \n'; }

expect_eq "show" 0 "$(status_of --sim 'C:\tovika' show)"
expect_contains "show" "device-mode         = manual          # マニュアル(ユーザー設定)" "$(cat "$E2E_DIR/out")"
expect_contains "show" "display             = lcd             # 内臓ＬＣＤ" "$(cat "$E2E_DIR/out")"
if iconv -f UTF-8 -t UTF-8 <"$E2E_DIR/out.raw" >/dev/null 2>&1; then e2e_fail "show is not in code page 932"; fi

# TOVIKA_SIM instead of --sim; a value by its text in the window's language.
export TOVIKA_SIM='C:\tovika'
expect_eq "backup" 0 "$(status_of backup 'C:\tovika\before.dat')"
cmp -s "$(sim_cmos)" "$E2E_APP/before.dat" || e2e_fail "the backup differs from sim-cmos.dat"
expect_eq "set by text" 0 "$(status_of set memory-check=省略する 'display=#2')"
expect_contains "set" "memory-check: run → skip" "$(cat "$E2E_DIR/out")"
expect_eq "byte 33h" a0 "$(byte $((0x33)))"
expect_eq "byte 6Ch" 04 "$(byte $((0x6C)))"

expect_eq "diff" 1 "$(status_of diff 'C:\tovika\before.dat')"
expect_eq "restore" 0 "$(status_of restore --yes 'C:\tovika\before.dat')"
cmp -s "$(sim_cmos)" "$E2E_APP/before.dat" || e2e_fail "the restore did not bring the backup back"
expect_eq "diff after restore" 0 "$(status_of diff 'C:\tovika\before.dat')"

expect_eq "show --json" 0 "$(status_of show --json)"
python3 -c 'import json,sys; d=json.load(open(sys.argv[1],encoding="utf-8")); assert d["settings"][0]["text"]=="マニュアル(ユーザー設定)"' \
  "$E2E_DIR/out.raw" || e2e_fail "show --json is not UTF-8 JSON"

before=$(md5sum <"$(sim_cmos)")
expect_eq "bad value" 2 "$(status_of set memory-check=maybe)"
printf 'firmware-answers = no\n' >"$(sim_ini)"
expect_eq "silent firmware" 3 "$(status_of set boot-order=hdd-only)"
printf 'cmos-stuck-7A = 0x80\n' >"$(sim_ini)"
expect_eq "stuck byte" 3 "$(status_of set boot-order=hdd-only)"
expect_contains "stuck byte" "CMOS 7Ah reads back 80 after 78 was written" "$(cat "$E2E_DIR/err")"
expect_eq "the image after the refusals" "$before" "$(md5sum <"$(sim_cmos)")"
rm "$(sim_ini)"

# The real ports, NT family (Wine's default), no giveio.
unset TOVIKA_SIM
expect_eq "real dump" 3 "$(status_of dump)"
expect_contains "real dump" "giveio" "$(cat "$E2E_DIR/err")"
expect_contains "real dump" "privileged instruction refused: output to port 70h" "$(cat "$E2E_DIR/err")"
