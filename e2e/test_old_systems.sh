#!/usr/bin/env bash
# The real TOVIKA.exe on the systems of the notebook's era, which Wine gives only to 32-bit
# programs. In the 95/98/Me modes Wine emulates the port instructions, with a CMOS of its own
# and nothing behind port B0h: no message, the window loads and every button that reads does
# its work (更新 and ハイバネ領域作成, which this test does not press, would find the firmware
# silent, say so and write nothing, as on any PC that is not the notebook).
# On NT 4.0 and 2000 the program warns about giveio as on any NT. The system label follows
# the prefix's Windows version.
source "$(dirname "$0")/lib.sh"
e2e_needs_i686 "Wine gives the 95/98/Me modes (with their emulated port instructions), NT 4.0 and 2000 to 32-bit programs only"
e2e_begin old_systems
e2e_unmanaged

cp "$E2E_BUILD_DIR/TOVIKA.exe" "$E2E_APP/"
E2E_EXE_WIN='C:\tovika\TOVIKA.exe'

# ---- the 95/98/Me family: Wine emulates the instructions
winecfg -v win98
rm -f "$E2E_APP/cmos.dat"
e2e_start
drv wait-window >/dev/null
drv no-dialog >/dev/null
expect_value text "Windows98  (Windows Ver.4.10  Build 2222)" "$(drv state lbSystemInfo)"
expect_eq "lines of the report" 22 "$(drv text Memo2 | wc -l)"
[ -n "$(drv text Memo3)" ] || e2e_fail "no debug report"
shot win98
for control in btnGetSTAT Button2 text:F2:LCD text:F3:DISP text:F5:Vol text:F6:APM text:F9:Batt; do
  drv click "$control"
  drv no-dialog >/dev/null
done
drv click btnCMOSDUMP
dump=$(drv text Memo2)
expect_eq "lines of the dump" 19 "$(printf '%s\n' "$dump" | wc -l)"
# Nothing answers behind port B0h: EAX comes back as it went, the status function's code.
expect_eq "status row 38" "38 : 9904,9904,9904,9904,9904,9904,9904,9904" "$(printf '%s\n' "$dump" | tail -n 1)"
drv click btnCMOSBACKUP
drv answer OK >/dev/null
expect_one_dialog 'C:\tovika\cmos.dat を作成しました.'
expect_eq "size of cmos.dat" 128 "$(stat -c %s "$E2E_APP/cmos.dat")"
drv close
expect_exit "$E2E_PID" 0 "exit status"
drv wait-gone

# ---- the system label of other versions: the NT family warns, the 9x family does not
# winecfg version | label
versions=(
  "winme|WindowsMe  (Windows Ver.4.90  Build 3000)"
  "win95|Windows95  (Windows Ver.4.0  Build 950)"
  "win2k|Windows2000  (Windows Ver.5.0  Build 2195)"
  "nt40|WindowsNT  (Windows Ver.4.0  Build 1381)"
)
for row in "${versions[@]}"; do
  IFS='|' read -r version label <<<"$row"
  winecfg -v "$version"
  e2e_start
  case $version in
    nt40 | win2k)
      expect_one_dialog "$giveio"
      expect_one_dialog "$cmos_refused"
      ;;
  esac
  drv wait-window >/dev/null
  drv no-dialog >/dev/null
  expect_value text "$label" "$(drv state lbSystemInfo)"
  drv close
  expect_exit "$E2E_PID" 0 "exit status under $version"
  drv wait-gone
done
