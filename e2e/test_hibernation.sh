#!/usr/bin/env bash
# "ハイバネ領域作成" makes c:\hiber.dat exactly as long as the firmware's hibernation size
# (sim-firmware.ini), ending in F7h FEh, after a confirmation; the button stays disabled while
# the closing message is on screen. A gigabyte takes no blocks on disk: the file is extended
# by positioning, not by writing zeros (its time is measured by the benchmarks). Cancel leaves drive C untouched, an existing
# file included. A size with no room for the two bytes, or one beyond a signed 32-bit count,
# gives the error message and creates, cuts or empties nothing.
source "$(dirname "$0")/lib.sh"
e2e_begin hibernation
e2e_unmanaged

hiber=$WINEPREFIX/drive_c/hiber.dat
created="c:\\hiber.dat を作成しました."
failed="エラー： c:\\hiber.dat が作成できません."

# The file as it stands: size and checksum, or "none".
file_state() { if [ -e "$hiber" ]; then stat -c %s "$hiber" && md5sum <"$hiber"; else echo none; fi; }

# hibernation-size | the file before: none (removed) or as the row above left it | outcome
cases=(
  "0x1000|none|4096"
  "0x40000000|kept|1073741824"  # grows
  "0x800|kept|2048"             # cut
  "2|kept|2"                    # nothing but F7h FEh
  "1|kept|error"                # no room for the two bytes: the file stays as it was
  "0x80000000|none|error"       # negative as a signed count
)

for row in "${cases[@]}"; do
  IFS='|' read -r size before outcome <<<"$row"
  e2e_log "-- hibernation-size = $size, file before: $before"
  [ "$before" = none ] && rm -f "$hiber"
  printf 'hibernation-size = %s\n' "$size" >"$(sim_ini)"
  e2e_start
  drv wait-window >/dev/null
  expect_value enabled 1 "$(drv state btnMAKEHIBER)"

  # Cancel first: drive C stays exactly as it is.
  was=$(file_state)
  touch "$E2E_DIR/stamp"
  drv click btnMAKEHIBER
  d=$(drv dialog)
  expect_value title TOVIKA "$d"
  expect_value text "c:\\hiber.dat を作成します." "$d"
  expect_value buttons "OK|キャンセル" "$d"
  drv answer キャンセル >/dev/null
  drv no-dialog >/dev/null
  expect_value enabled 1 "$(drv state btnMAKEHIBER)"
  expect_eq "c:\\hiber.dat after cancel" "$was" "$(file_state)"
  expect_eq "what changed on drive C after cancel" "" "$(find "$WINEPREFIX/drive_c" -newer "$E2E_DIR/stamp")"

  drv click btnMAKEHIBER
  expect_value text "c:\\hiber.dat を作成します." "$(drv dialog)"
  drv answer OK >/dev/null
  d=$(drv dialog)
  expect_value title TOVIKA "$d"
  expect_value buttons OK "$d"
  expect_value enabled 0 "$(drv state btnMAKEHIBER)"
  if [ "$outcome" = error ]; then
    expect_value text "$failed" "$d"
    [ "$size/$before" = 0x80000000/none ] && shot error
    drv answer OK >/dev/null
    if [ "$before" = none ]; then
      [ ! -e "$hiber" ] || e2e_fail "c:\\hiber.dat was created for hibernation-size = $size"
    else
      expect_eq "c:\\hiber.dat after the error" "$was" "$(file_state)"
    fi
  else
    expect_value text "$created" "$d"
    [ "$size" = 0x40000000 ] && shot created
    # Open, and already of its full length, while the message is shown.
    expect_eq "size of c:\\hiber.dat while the message is shown" "$outcome" "$(stat -c %s "$hiber")"
    drv answer OK >/dev/null
    expect_eq "size of c:\\hiber.dat" "$outcome" "$(stat -c %s "$hiber")"
    expect_eq "last two bytes" "f7fe" "$(tail -c 2 "$hiber" | od -An -tx1 | tr -d ' \n')"
    if [ "$outcome" -le 4096 ]; then
      expect_eq "bytes before the last two that are not zero" 0 "$(head -c $((outcome - 2)) "$hiber" | tr -d '\0' | wc -c)"
    fi
    # No zeros written: (on a Linux file system) no blocks for the gap.
    on_disk=$(du -k "$hiber" | cut -f1)
    [ "$on_disk" -lt 1024 ] || e2e_fail "$outcome bytes take $on_disk KB on disk: zeros were written"
    e2e_log "ok: $outcome bytes, $on_disk KB on disk"
  fi
  expect_value enabled 1 "$(drv state btnMAKEHIBER)"
  drv no-dialog >/dev/null

  drv close
  expect_exit "$E2E_PID" 0 "exit status"
  drv wait-gone
done
