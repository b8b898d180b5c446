#!/usr/bin/env bash
# The hot-key buttons of the information page: each has the simulated firmware change the
# state that it names, and nothing else. The report in Memo2 stays as it is until "再表示"
# asks again; then exactly the lines of that state differ. The display output of "F3:DISP"
# has no report line: the dump shows it as status word 0Eh. No key writes CMOS.
source "$(dirname "$0")/lib.sh"
e2e_begin hotkeys
e2e_unmanaged

# Start states from which two presses show the toggle or the wrap-around of every key:
# volume at its top, CPU speed low, display output on its last choice.
printf 'status-2 = 0\nstatus-13 = 2\nstatus-14 = 2\n' >"$(sim_ini)"
e2e_start
drv wait-window >/dev/null
cmos_before=$(md5sum <"$(sim_cmos)")

# with_value <report> <label> <value>: the report with the line that begins with the label
# showing that value instead.
with_value() {
  local line found=0
  local -a lines=()
  while IFS= read -r line; do
    if [[ $line == "$2"* ]]; then line=$2$3; found=$((found + 1)); fi
    lines+=("$line")
  done <<<"$1"
  [ "$found" = 1 ] || e2e_fail "$found lines [$2] in the report"
  printf '%s\n' "${lines[@]}"
}

# caption | label | the value at start, after one press, after two | label | ...
keys=(
  "F2:LCD|  LCDバックライトの輝度 (0:低輝度 1:高輝度) =|1 0 1"
  "F5:Vol|  音量(0:オフ 1:中 2:大) =|2 0 1"
  "F6:APM|  CPUスピード (0:LOW 1:HIGH) =|0 1 0"
  # Off the mains the charging battery A stops charging; back on it charges again.
  "F9:Batt|  AC online (0:on 1:off) =|0 1 0|  A 状態(0:無 1:通常 3:LOW 7:充電中) =|7 1 7"
)

report=$(drv text Memo2)
for row in "${keys[@]}"; do
  IFS='|' read -r -a f <<<"$row"
  caption=${f[0]}
  expected=$report
  for ((i = 1; i < ${#f[@]}; i += 2)); do
    read -r -a values <<<"${f[i + 1]}"
    expected=$(with_value "$expected" "${f[i]}" "${values[0]}")
  done
  expect_eq "report before $caption" "$expected" "$report"

  for press in 1 2; do
    drv click "text:$caption"
    drv no-dialog >/dev/null
    expect_value enabled 1 "$(drv state "text:$caption")"
    expect_eq "Memo2 after $caption, before 再表示" "$report" "$(drv text Memo2)"
    for ((i = 1; i < ${#f[@]}; i += 2)); do
      read -r -a values <<<"${f[i + 1]}"
      expected=$(with_value "$expected" "${f[i]}" "${values[press]}")
    done
    drv click text:再表示
    report=$(drv text Memo2)
    expect_eq "report after $caption pressed $press times" "$expected" "$report"
    [ "$caption/$press" = F9:Batt/1 ] && shot off-mains
  done
done

# ---- F3: the display output cycles 2, 0, 1, 2 in the dump's status word 0Eh
word_0E() { printf '%s\n' "$1" | sed -n 's/^08 : //p' | cut -d, -f7; }
# with_word_0E <dump> <word>: the dump with status word 0Eh (row 08, column 6) replaced.
with_word_0E() { printf '%s\n' "$1" | sed "s/^\(08 : \([0-9A-F]\{4\},\)\{6\}\)[0-9A-F]\{4\}/\1$2/"; }

drv click text:DUMP
dump=$(drv text Memo2)
expect_eq "status word 0Eh at start" 0002 "$(word_0E "$dump")"
for word in 0000 0001 0002; do
  drv click text:F3:DISP
  drv no-dialog >/dev/null
  expect_eq "Memo2 after F3:DISP, before DUMP" "$dump" "$(drv text Memo2)"
  expected=$(with_word_0E "$dump" "$word")
  drv click text:DUMP
  dump=$(drv text Memo2)
  expect_eq "dump after F3:DISP" "$expected" "$dump"
  expect_eq "status word 0Eh" "$word" "$(word_0E "$dump")"
  [ "$word" = 0001 ] && shot dump-after-f3
done
# The report has no line for the display output.
drv click text:再表示
expect_eq "report after F3:DISP" "$report" "$(drv text Memo2)"

expect_eq "sim-cmos.dat" "$cmos_before" "$(md5sum <"$(sim_cmos)")"
drv close
expect_exit "$E2E_PID" 0 "exit status"
