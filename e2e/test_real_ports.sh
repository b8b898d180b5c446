#!/usr/bin/env bash
# The real TOVIKA.exe, whose port instructions go to the processor. In an NT-family prefix
# without giveio (Wine's default, Windows 7) it says once, before the first access, that the
# ports need the giveio driver; then every refused instruction ends its handler with the
# window's error message (the backup with its own), and the window stays usable to the end.
# (The 95/98/Me family, NT 4.0 and 2000: test_old_systems.sh.)
source "$(dirname "$0")/lib.sh"
e2e_begin real_ports
e2e_unmanaged

cp "$E2E_BUILD_DIR/TOVIKA.exe" "$E2E_APP/"
E2E_EXE_WIN='C:\tovika\TOVIKA.exe'

# ---- NT family, no giveio: the grant message once, then the refusals
e2e_start
drv dialog >/dev/null
shot nt-giveio
expect_one_dialog "$giveio"
# Showing the window loads the settings: the first access, a CMOS index to port 0x70.
expect_one_dialog "$cmos_refused"
drv wait-window >/dev/null
drv no-dialog >/dev/null
expect_value text "WindowsNT(2000 Later)  (Windows Ver.6.1  Build 7601)" "$(drv state lbSystemInfo)"
expect_eq "Memo2 after the refused start" "" "$(drv text Memo2)"

# control | its confirmation, or - | the message
actions=(
  "btnGetSTAT|-|$cmos_refused"
  "btnCMOSDUMP|-|$cmos_refused"
  "Button2|-|$cmos_refused"
  "text:F6:APM|-|$(refused "BIOS 呼び出し (ポート B0h への出力, 機能 0902h)")"
  # Both ask the firmware's status request first, before any CMOS access or file.
  "btnUPDATE|CMOS内容を更新します.|$(refused "BIOS 呼び出し (ポート B0h への出力, 機能 9904h)")"
  "btnMAKEHIBER|c:\\hiber.dat を作成します.|$(refused "BIOS 呼び出し (ポート B0h への出力, 機能 9904h)")"
  # The backup catches everything after creating its file: its own message.
  "btnCMOSBACKUP|CMOS内容を C:\\tovika\\cmos.dat に出力します.|エラー： C:\\tovika\\cmos.dat が作成できません."
)
for row in "${actions[@]}"; do
  IFS='|' read -r control asks message <<<"$row"
  drv click "$control"
  if [ "$asks" != - ]; then
    expect_value text "$asks" "$(drv dialog)"
    drv answer OK >/dev/null
  fi
  [ "$control" = btnMAKEHIBER ] && shot nt-refused
  expect_one_dialog "$message"
  drv no-dialog >/dev/null
  expect_value enabled 1 "$(drv state "$control")"
done
[ ! -e "$WINEPREFIX/drive_c/hiber.dat" ] || e2e_fail "c:\\hiber.dat was created without the firmware's size"

# Still a window like any other: pages, the Debug tab, closing.
drv select-tab 省電力 >/dev/null
expect_value index -1 "$(drv state cbSTANDBYAC)"
drv dblclick 200 370
expect_value tabs "情報|システム|ビデオ|省電力|Debug" "$(drv tabs)"
drv close
expect_exit "$E2E_PID" 0 "exit status"
drv wait-gone
