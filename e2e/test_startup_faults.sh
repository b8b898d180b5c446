#!/usr/bin/env bash
# The simulated notebook cannot start from its CMOS image: one of the wrong size (shorter,
# longer, empty), one that cannot be read, or none where the program's folder takes no new
# file. The program says what is wrong under its default title, opens no window, ends with
# status 0 and leaves its folder exactly as it was. With a sound image the same immutable
# folder is no obstacle.
source "$(dirname "$0")/lib.sh"
e2e_begin startup_faults
e2e_unmanaged

image='C:\tovika\sim-cmos.dat'
# Names, sizes, times and contents of everything in the program's folder.
folder_state() {
  LC_ALL=C ls -l --full-time "$E2E_APP"
  stat -c '%y' "$E2E_APP"
  find "$E2E_APP" -type f -exec md5sum {} + | sort
}

# what stands in place of sim-cmos.dat | the message (its beginning, where the system adds to it)
cases=(
  "127 bytes|$image は 127 バイトです. CMOS のイメージは 128 バイトでなければなりません."
  "129 bytes|$image は 129 バイトです. CMOS のイメージは 128 バイトでなければなりません."
  "0 bytes|$image は 0 バイトです. CMOS のイメージは 128 バイトでなければなりません."
  "a folder|$image を読めません (ファイルではなくフォルダです)."  # found before it is opened, as on Linux
  "nothing, the folder immutable|$image を作成できません. 実行ファイルのフォルダに書き込めるか確かめてください."
)

n=0
for row in "${cases[@]}"; do
  IFS='|' read -r what message <<<"$row"
  e2e_log "-- sim-cmos.dat: $what"
  n=$((n + 1))
  rm -rf "$(sim_cmos)"
  case $what in
    *bytes) head -c "${what% bytes}" /dev/urandom >"$(sim_cmos)" ;;
    "a folder") mkdir "$(sim_cmos)" ;;
    nothing*) immutable "$E2E_APP" ;;
  esac
  before=$(folder_state)

  e2e_start
  d=$(drv dialog)
  expect_value title Tovika-sim "$d"
  if [[ $message == *. ]]; then expect_value text "$message" "$d"; else expect_contains "message" "$message" "$(value text "$d")"; fi
  expect_value buttons OK "$d"
  expect_value windows 0 "$(drv count)"
  shot "case$n"
  drv answer OK >/dev/null
  expect_exit "$E2E_PID" 0 "exit status"
  expect_value windows 0 "$(drv count)"
  expect_eq "the program's folder" "$before" "$(folder_state)"
done

# The folder still immutable: a sound image needs nothing created, and the window opens.
mutable "$E2E_APP"
head -c 128 /dev/zero >"$(sim_cmos)"
immutable "$E2E_APP"
e2e_start
drv wait-window >/dev/null
drv no-dialog >/dev/null
expect_contains "report" "  base memory :      0 kb" "$(drv text Memo2)"
drv close
expect_exit "$E2E_PID" 0 "exit status"
