#!/usr/bin/env bash
# The information page's two reports in Memo2: the 22-line information report that the
# window writes at start and "再表示" writes again, and the 19-line register dump of "DUMP",
# whose CMOS rows are the bytes of sim-cmos.dat. Three starts: the factory firmware; a
# sim-firmware.ini and CMOS with edge values (temperature word 255, results with bit 31 set,
# a large hibernation size, a frequency of five digits); the same with other regional
# separators set in the prefix.
source "$(dirname "$0")/lib.sh"
e2e_begin reports
e2e_unmanaged  # no 2 s wait after each dialog and at each close

# expect_lines <what> <expected text> <actual text>: line by line, naming the first that differs.
expect_lines() {
  local -a want got
  local i
  mapfile -t want <<<"$2"
  mapfile -t got <<<"$3"
  for i in "${!want[@]}"; do
    [ "${want[$i]}" = "${got[$i]-<none>}" ] ||
      e2e_fail "$1, line $((i + 1)): expected [${want[$i]}], got [${got[$i]-<none>}]"
  done
  expect_eq "$1: lines" "${#want[@]}" "${#got[@]}"
}

# The CMOS rows of the dump as the image file holds them.
cmos_rows() {
  od -An -v -tx1 -w16 "$1" |
    awk '{ row = sprintf("%02X :", (NR - 1) * 16)
           for (i = 1; i <= NF; i++) row = row (i == 1 ? " " : ",") toupper($i)
           print row }'
}

# The dump: the CMOS image's rows and the given status rows.
dump_of() {
  printf '%s\n' "CMOS +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F"
  cmos_rows "$1"
  printf '\n%s\n' "STAT +0/8 +1/9 +2/A +3/B +4/C +5/D +6/E +7/F"
  printf '%s\n' "$2"
  local row
  for row in 18 20 28 30 38; do printf '%s : 0000,0000,0000,0000,0000,0000,0000,0000\n' $row; done
}

stop_program() {
  drv close
  expect_exit "$E2E_PID" 0 "exit status"
  drv wait-gone
}

# ---- the factory notebook, the prefix's own separators (Japanese: "," and ".")
e2e_start
drv wait-window >/dev/null
factory_report='■メモリ
  base memory :    640 kb
  extended memory : 31,744 kb
  ハイバネーションに必要なサイズ =   33792KB /02100000
■HDD
  drive C: extension type =2F
  drive D: extension type =00
■CPU
  CPUスピード (0:LOW 1:HIGH) =1
  HIGHの時の動作周波数 =166.0 MHz
  LOW の時の動作周波数 = 83.0 MHz
■デバイス状態
  ファン回転状態 (0:停止 1:回転) =0
  AC online (0:on 1:off) =0
  温度 (0-255)= 54.6℃ (122:7A)
  LCDバックライトの輝度 (0:低輝度 1:高輝度) =1
  音量(0:オフ 1:中 2:大) =1
■バッテリ
  A 状態(0:無 1:通常 3:LOW 7:充電中) =7
    残量(0:無 1:LOW 30:Full 31:不明) =30
  B 状態(0:無 1:通常 3:LOW 7:充電中) =0
    残量(0:無 1:LOW 30:Full 31:不明) =0'
expect_lines "report at start" "$factory_report" "$(drv text Memo2)"
shot report
cmos_before=$(md5sum <"$(sim_cmos)")

factory_status='00 : 067C,0001,0001,0000,007A,0003,0100,0000
08 : 0007,0000,001E,0000,0001,0001,0000,033E
10 : 0400,1999,0000,0000,0000,0000,0000,0000'
for run in 1 2; do  # the second dump replaces the first
  drv click btnCMOSDUMP
  expect_lines "dump $run" "$(dump_of "$(sim_cmos)" "$factory_status")" "$(drv text Memo2)"
done
shot dump
drv click btnGetSTAT
expect_lines "report after 再表示" "$factory_report" "$(drv text Memo2)"
expect_eq "sim-cmos.dat after the reports" "$cmos_before" "$(md5sum <"$(sim_cmos)")"
stop_program

# ---- edge values
cat >"$(sim_ini)" <<'EOF'
hibernation-size = 0x08000000
status-0 = 18000        # HIGH frequency: 1800.0 MHz, six characters
status-2 = 0xFFFFFF05   # bit 31 set: status byte -251
status-4 = 255          # temperature word 255: -9.3 degrees
status-8 = 0x80000000   # only bit 31: status byte 0
status-9 = 0xFFFFFFFF   # all bits: status byte -1
status-15 = 0           # LOW frequency 0.0 MHz
EOF
printf '\x00\xFC' | dd of="$(sim_cmos)" bs=1 seek=$((0x17)) conv=notrunc status=none  # 64512 KB
e2e_start
drv wait-window >/dev/null
edge_report='■メモリ
  base memory :    640 kb
  extended memory : 64,512 kb
  ハイバネーションに必要なサイズ =  131072KB /08000000
■HDD
  drive C: extension type =2F
  drive D: extension type =00
■CPU
  CPUスピード (0:LOW 1:HIGH) =-251
  HIGHの時の動作周波数 =1800.0 MHz
  LOW の時の動作周波数 =  0.0 MHz
■デバイス状態
  ファン回転状態 (0:停止 1:回転) =0
  AC online (0:on 1:off) =0
  温度 (0-255)= -9.3℃ (255:FF)
  LCDバックライトの輝度 (0:低輝度 1:高輝度) =1
  音量(0:オフ 1:中 2:大) =1
■バッテリ
  A 状態(0:無 1:通常 3:LOW 7:充電中) =0
    残量(0:無 1:LOW 30:Full 31:不明) =30
  B 状態(0:無 1:通常 3:LOW 7:充電中) =-1
    残量(0:無 1:LOW 30:Full 31:不明) =0'
expect_lines "report with edge values" "$edge_report" "$(drv text Memo2)"
shot edge-report
drv click btnCMOSDUMP
# Only the low 16 bits of each status result.
edge_status='00 : 4650,0001,FF05,0000,00FF,0003,0100,0000
08 : 0000,FFFF,001E,0000,0001,0001,0000,0000
10 : 0400,1999,0000,0000,0000,0000,0000,0000'
expect_lines "dump with edge values" "$(dump_of "$(sim_cmos)" "$edge_status")" "$(drv text Memo2)"
stop_program

# ---- other regional separators: "." groups thousands, "," marks the decimals
intl='HKCU\Control Panel\International'
wine reg add "$intl" /v sThousand /d . /f >/dev/null 2>&1 || e2e_fail "cannot set sThousand"
wine reg add "$intl" /v sDecimal /d , /f >/dev/null 2>&1 || e2e_fail "cannot set sDecimal"
e2e_start
drv wait-window >/dev/null
report=$(drv text Memo2)
expect_lines "report with separators . and ," \
  "$(printf '%s\n' "$edge_report" | sed 's/64,512/64.512/; s/1800\.0/1800,0/; s/  0\.0 MHz/  0,0 MHz/; s/-9\.3/-9,3/')" \
  "$report"
expect_contains "report" "  extended memory : 64.512 kb" "$report"
expect_contains "report" "  温度 (0-255)= -9,3℃ (255:FF)" "$report"
shot separators
stop_program
