#!/usr/bin/env bash
# The two files the window writes, c:\hiber.dat and cmos.dat beside the program, refused by
# the file system as Wine reproduces it: an immutable file, a file another program holds
# open without sharing, drive C or the program's folder refusing new files, the program's
# folder gone. Each time: the operation's error message, the button disabled while it is
# shown and enabled again after it, the file as it was; once the cause is lifted the same
# button works in the same window. The simulated notebook's own image refused while the
# program runs: the update's error, and the CMOS stays what the image holds.
source "$(dirname "$0")/lib.sh"
e2e_begin file_faults
e2e_unmanaged

printf 'hibernation-size = 0x10000\n' >"$(sim_ini)"
e2e_start
drv wait-window >/dev/null

# operation -> button | its file in the prefix | the same as Windows sees it
declare -A button=([hiber]=btnMAKEHIBER [backup]=btnCMOSBACKUP)
declare -A file=([hiber]=$WINEPREFIX/drive_c/hiber.dat [backup]=$E2E_APP/cmos.dat)
declare -A winpath=([hiber]='c:\hiber.dat' [backup]='C:\tovika\cmos.dat')
declare -A asks=([hiber]='c:\hiber.dat を作成します.' [backup]='CMOS内容を C:\tovika\cmos.dat に出力します.')

file_state() { if [ -e "$1" ]; then stat -c %s "$1" && md5sum <"$1"; else echo none; fi; }

# run <operation>: clicks its button and confirms; prints the closing message (still open).
run() {
  drv click "${button[$1]}"
  expect_value text "${asks[$1]}" "$(drv dialog)"
  drv answer OK >/dev/null
  drv dialog
}

# fault | operation | what the fault is done to
cases=(
  "immutable|hiber|${file[hiber]}"
  "held|hiber|${file[hiber]}"
  "immutable|hiber|$WINEPREFIX/drive_c"  # drive C takes no new file
  "immutable|backup|${file[backup]}"
  "held|backup|${file[backup]}"
  "immutable|backup|$E2E_APP"            # the program's folder takes no new file
  "missing|backup|$E2E_APP"              # the program's folder moved away while it runs
)

for row in "${cases[@]}"; do
  IFS='|' read -r fault op target <<<"$row"
  what="$fault $(basename "$target") ($op)"
  e2e_log "-- $what"
  # A file fault needs the file; a folder fault finds none of ours in it.
  if [ "$target" = "${file[$op]}" ]; then printf 'written before the test\n' >"${file[$op]}"; else rm -f "${file[$op]}"; fi
  before=$(file_state "${file[$op]}")
  case $fault in
    immutable) immutable "$target" ;;
    held) hold "${winpath[$op]}" ;;
    missing) mv "$target" "$target.away" ;;
  esac

  d=$(run "$op")
  expect_value title TOVIKA "$d"
  expect_value text "エラー： ${winpath[$op]} が作成できません." "$d"
  expect_value buttons OK "$d"
  expect_value enabled 0 "$(drv state "${button[$op]}")"
  shot "$fault-$(basename "$target")"
  drv answer OK >/dev/null
  drv no-dialog >/dev/null
  expect_value enabled 1 "$(drv state "${button[$op]}")"

  case $fault in
    immutable) mutable "$target" ;;
    held) release ;;
    missing) mv "$target.away" "$target" ;;
  esac
  expect_eq "${winpath[$op]} after: $what" "$before" "$(file_state "${file[$op]}")"

  # The cause lifted, the same button in the same window does its work.
  expect_value text "${winpath[$op]} を作成しました." "$(run "$op")"
  drv answer OK >/dev/null
  expect_value enabled 1 "$(drv state "${button[$op]}")"
  if [ "$op" = hiber ]; then
    expect_eq "size of c:\\hiber.dat" 65536 "$(stat -c %s "${file[$op]}")"
  else
    cmp -s "${file[$op]}" "$(sim_cmos)" || e2e_fail "cmos.dat is not the CMOS image"
    e2e_log "ok: cmos.dat is the CMOS image"
  fi
done

# ---- the simulated notebook's own image refused while the program runs: the update stops
# at its first byte through the default error reporting, and the CMOS keeps what sim-cmos.dat
# holds, so "再読込" shows the choice as saved; once the image is writable the update saves.
drv select-tab システム >/dev/null
expect_value index 0 "$(drv state rgBOOTMEMCHK)"
image=$(md5sum <"$(sim_cmos)")
immutable "$(sim_cmos)"
drv select rgBOOTMEMCHK 1
drv click btnUPDATE
expect_value text CMOS内容を更新します. "$(drv dialog)"
drv answer OK >/dev/null
d=$(drv dialog)
expect_value title TOVIKA "$d"
expect_value text 'C:\tovika\sim-cmos.dat に CMOS の内容を保存できません.' "$d"
shot immutable-sim-cmos.dat
drv answer OK >/dev/null
drv click Button2
drv no-dialog >/dev/null
expect_value index 0 "$(drv state rgBOOTMEMCHK)"
expect_eq "sim-cmos.dat after the refused update" "$image" "$(md5sum <"$(sim_cmos)")"
mutable "$(sim_cmos)"
drv select rgBOOTMEMCHK 1
drv click btnUPDATE
drv answer OK >/dev/null
drv no-dialog >/dev/null
drv click Button2
expect_value index 1 "$(drv state rgBOOTMEMCHK)"
expect_eq "byte 33h of sim-cmos.dat" a0 "$(od -An -tx1 -j $((0x33)) -N1 "$(sim_cmos)" | tr -d ' ')"

drv select-tab 情報 >/dev/null
drv click text:再表示
drv no-dialog >/dev/null
[ "$(drv text Memo2 | wc -l)" = 22 ] || e2e_fail "the report after the faults: $(drv text Memo2)"
drv close
expect_exit "$E2E_PID" 0 "exit status"
