#!/usr/bin/env bash
# A firmware that does not answer its software call (firmware-answers = no), as on a PC that
# is not the notebook: after OK, "更新" writes nothing (sim-cmos.dat stays byte for byte)
# and "ハイバネ領域作成" creates no c:\hiber.dat; each says once that this PC's firmware does
# not answer, and the window stays usable. Cancel still asks nothing and says nothing.
source "$(dirname "$0")/lib.sh"
e2e_begin silent_firmware
e2e_unmanaged

hiber=$WINEPREFIX/drive_c/hiber.dat
rm -f "$hiber"
printf 'firmware-answers = no\nhibernation-size = 0x1000\n' >"$(sim_ini)"
e2e_start
drv wait-window >/dev/null
drv no-dialog >/dev/null
cp "$(sim_cmos)" "$E2E_DIR/before.dat"

# A change that an update would write.
drv select-tab ビデオ >/dev/null
loaded=$(value index "$(drv state rgDISPMODE)")
drv select rgDISPMODE $(( loaded == 0 ? 2 : 0 ))

# ---- 更新: Cancel asks nothing; OK asks the firmware, which is silent
drv click btnUPDATE
expect_value text CMOS内容を更新します. "$(drv dialog)"
drv answer キャンセル >/dev/null
drv wait-window >/dev/null
drv no-dialog >/dev/null

drv click btnUPDATE
expect_value text CMOS内容を更新します. "$(drv dialog)"
drv answer OK >/dev/null
drv dialog >/dev/null
shot update-refused
expect_one_dialog "$firmware_silent"
drv wait-window >/dev/null
drv no-dialog >/dev/null
cmp -s "$E2E_DIR/before.dat" "$(sim_cmos)" || e2e_fail "sim-cmos.dat changed after 更新 on a silent firmware"
e2e_log "ok: sim-cmos.dat unchanged"
expect_value enabled 1 "$(drv state btnUPDATE)"

# ---- ハイバネ領域作成: the button is disabled while the message is shown, no file
drv click btnMAKEHIBER
expect_value text "c:\\hiber.dat を作成します." "$(drv dialog)"
drv answer OK >/dev/null
d=$(drv dialog)
expect_value text "$firmware_silent" "$d"
expect_value enabled 0 "$(drv state btnMAKEHIBER)"
expect_one_dialog "$firmware_silent"
drv no-dialog >/dev/null
expect_value enabled 1 "$(drv state btnMAKEHIBER)"
[ ! -e "$hiber" ] || e2e_fail "c:\\hiber.dat was created on a silent firmware ($(stat -c %s "$hiber") bytes)"
e2e_log "ok: no c:\\hiber.dat"

# ---- the window goes on: reload shows the CMOS again, the report still reads
drv click Button2
drv no-dialog >/dev/null
expect_value index "$loaded" "$(drv state rgDISPMODE)"
drv select-tab 情報 >/dev/null
drv click btnGetSTAT
drv no-dialog >/dev/null
expect_contains "report" "/00000602" "$(drv text Memo2)"
cmp -s "$E2E_DIR/before.dat" "$(sim_cmos)" || e2e_fail "sim-cmos.dat changed"
drv close
expect_exit "$E2E_PID" 0 "exit status"
