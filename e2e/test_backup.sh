#!/usr/bin/env bash
# "BACKUP" saves the 128 CMOS bytes to cmos.dat beside the program: it asks first, naming
# the path; キャンセル creates nothing; after OK the button is disabled while the message
# "... を作成しました." is open and enabled again after it; the file holds exactly the bytes
# of sim-cmos.dat, and a later backup replaces a longer file of that name. The path follows
# the program's place: folders and names with Shift-JIS characters, and a drive root.
source "$(dirname "$0")/lib.sh"
e2e_begin backup
e2e_unmanaged  # no 2 s wait after each dialog and at each close

backup=$E2E_APP/cmos.dat
path='C:\tovika\cmos.dat'

# `answer` returns once the dialog has closed; the handler that opened it goes on after
# that: wait until the main window takes messages again.
handler_done() { drv wait-window >/dev/null; }

expect_enabled() { expect_eq "btnCMOSBACKUP enabled $2" "$1" "$(value enabled "$(drv state btnCMOSBACKUP)")"; }

# expect_backup <what>: cmos.dat is the image of the simulated notebook's CMOS.
expect_backup() {
  [ -f "$backup" ] || e2e_fail "$1: no cmos.dat"
  expect_eq "$1: size of cmos.dat" 128 "$(stat -c %s "$backup")"
  cmp "$(sim_cmos)" "$backup" >&2 || e2e_fail "$1: cmos.dat differs from sim-cmos.dat"
  e2e_log "ok: $1: cmos.dat = sim-cmos.dat"
}

# A CMOS image of every kind of byte, zeros included.
for i in $(seq 0 127); do printf "\\x$(printf %02x $(((i * 37 + 11) % 256 * (i % 16 != 5))))"; done >"$(sim_cmos)"
e2e_start
drv wait-window >/dev/null
expect_enabled 1 "at start"

# ---- キャンセル: nothing created, the button untouched
drv click btnCMOSBACKUP
d=$(drv dialog)
expect_value title TOVIKA "$d"
expect_value text "CMOS内容を $path に出力します." "$d"
expect_value buttons "OK|キャンセル" "$d"
shot confirmation
drv answer キャンセル >/dev/null
handler_done
drv no-dialog >/dev/null
[ ! -e "$backup" ] || e2e_fail "キャンセル created cmos.dat"
expect_enabled 1 "after キャンセル"

# ---- OK: the file, then the message; the button disabled until the message is closed
drv click btnCMOSBACKUP
expect_value text "CMOS内容を $path に出力します." "$(drv dialog)"
drv answer OK >/dev/null
d=$(drv dialog)
expect_value title TOVIKA "$d"
expect_value text "$path を作成しました." "$d"
expect_value buttons OK "$d"
expect_enabled 0 "while the message is open"
expect_backup "while the message is open"
shot created
drv answer OK >/dev/null
handler_done
drv no-dialog >/dev/null
expect_enabled 1 "after the message"
expect_backup "after the message"

# ---- a second backup replaces a longer file of that name
head -c 300 /dev/zero | tr '\0' '\356' >"$backup"
drv click btnCMOSBACKUP
drv answer OK >/dev/null
expect_value text "$path を作成しました." "$(drv dialog)"
drv answer OK >/dev/null
handler_done
expect_enabled 1 "after the second backup"
expect_backup "second backup"
[ "$(LC_ALL=C ls "$E2E_APP")" = "$(printf 'TOVIKA-SIM.exe\ncmos.dat\nsim-cmos.dat')" ] ||
  e2e_fail "the program's folder holds other files: $(ls "$E2E_APP")"

drv close
expect_exit "$E2E_PID" 0 "exit status"
drv wait-gone

# ---- the path built from other places of the program: a folder whose last character ends
# in the byte 5Ch ("表" is 95h 5Ch in Shift-JIS, "ソ" 83h 5Ch) drops the backslash after it
# like any folder, also under a program whose name has such characters; a drive root keeps
# it, so that two stand before cmos.dat.
while IFS='|' read -r folder exe path; do
  dir=$WINEPREFIX/drive_c${folder:+/$folder}
  mkdir -p "$dir"
  cp "$E2E_APP/TOVIKA-SIM.exe" "$dir/$exe"
  E2E_APP=$dir E2E_EXE_WIN="C:\\${folder:+$folder\\}$exe" e2e_start
  drv wait-window >/dev/null
  drv click btnCMOSBACKUP
  expect_value text "CMOS内容を $path に出力します." "$(drv dialog)"
  drv answer OK >/dev/null
  expect_value text "$path を作成しました." "$(drv dialog)"
  drv answer OK >/dev/null
  handler_done
  cmp "$dir/sim-cmos.dat" "$dir/cmos.dat" >&2 || e2e_fail "$path differs from the CMOS image"
  e2e_log "ok: $path holds the CMOS image"
  drv close
  expect_exit "$E2E_PID" 0 "exit status"
  drv wait-gone
done <<'CASES'
ソフト表|TOVIKA-SIM.exe|C:\ソフト表\cmos.dat
表|ソ表.exe|C:\表\cmos.dat
|TOVIKA-SIM.exe|C:\\cmos.dat
CASES
