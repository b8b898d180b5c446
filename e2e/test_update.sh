#!/usr/bin/env bash
# "更新" writes the setup bytes that the controls show: a CMOS image whose setup bytes
# partly decode to no choice, one change on each settings page (a radio group, a drop-down
# list, the card-power check box, the serial port moved onto the infrared port's address),
# a cancelled update that writes nothing, then a confirmed one whose bytes in sim-cmos.dat
# are checked one by one; the bytes an update does not write keep their values. After a
# restart the window shows what was chosen.
source "$(dirname "$0")/lib.sh"
e2e_begin update
e2e_unmanaged  # no 2 s wait after each dialog and at each close

# cmos_set <file> <index> <value> ...: changes bytes of a CMOS image in place (hex).
cmos_set() {
  local file=$1
  shift
  while [ $# -ge 2 ]; do
    printf "\\x$2" | dd of="$file" bs=1 seek=$((16#$1)) conv=notrunc status=none
    shift 2
  done
}
# expect_image <what> <expected file> <actual file>: the same bytes, else the differing ones.
expect_image() {
  local n a b diffs=
  if ! cmp -s "$2" "$3"; then
    while read -r n a b; do diffs+=$(printf ' %02Xh=%02X (not %02X)' $((n - 1)) $((8#$b)) $((8#$a))); done \
      < <(cmp -l "$2" "$3" 2>/dev/null || true)
    [ "$(stat -c %s "$3")" = 128 ] || diffs+=" size $(stat -c %s "$3")"
    e2e_fail "$1:$diffs"
  fi
  e2e_log "ok: $1"
}

# expect_choices <control>=<index> ...: the item index that each control shows; for the
# check box 1 or 0.
expect_choices() {
  local pair control want out
  for pair in "$@"; do
    control=${pair%=*} want=${pair#*=}
    out=$(drv state "$control")
    if [ "$(value class "$out")" = Button ]; then expect_eq "$control checked" "$want" "$(value checked "$out")"
    else expect_eq "$control index" "$want" "$(value index "$out")"; fi
  done
}

# `answer` returns once the dialog has closed; the handler that opened it goes on after
# that: wait until the main window takes messages again, that is until the handler returned.
handler_done() { drv wait-window >/dev/null; }

# ---- the factory image, made by the simulated notebook at its first start
e2e_start
drv wait-window >/dev/null
drv close
expect_exit "$E2E_PID" 0 "exit status"
drv wait-gone
[ "$(stat -c %s "$(sim_cmos)")" = 128 ] || e2e_fail "no 128-byte sim-cmos.dat after the first start"

# Setup bytes that decode to no choice, bits that no control uses set, the bytes that an
# update leaves alone (52h 55h 61h 6Bh 6Dh 6Eh) marked, and the serial and the infrared port
# both on 2F8h (shown with the serial port moved to 3F8h).
# A new setting in one of the bytes that no setting uses (61h 6Bh 6Dh 6Eh) writes that byte:
# it adds the byte to `written` below, as the unit tests' traces add its read and write.
cmos_set "$(sim_cmos)" 33 A5 52 11 55 22 61 33 6B 44 6D 55 6E 66 \
  60 F1 62 BC 63 02 64 E2 65 F8 66 02 67 F8 68 02 69 99 6A 02 6C FA 6F 02 70 85 71 E7 72 C9 \
  73 03 74 00 7A 00
cp "$(sim_cmos)" "$E2E_DIR/seeded.dat"

e2e_start
drv wait-window >/dev/null
# What the seeded bytes show: no choice where a value matches none; the serial port off the
# infrared port's address (CMOS keeps both on 2F8h until an update).
expect_choices rgLPTMODE=-1 rgLPTPORT=-1 rgLPTDMA=-1 rgSOUNDDMA=-1 rgMOUSEMODE=-1 rgBOOTMODE=-1 \
  rgDISPMODE=-1 cbCPUTIMEOUTAC=-1 cbHDTIMEOUTAC=-1 rgCOM1PORT=1 rgCOM2PORT=0

# ---- one change on each page
drv select-tab システム >/dev/null
drv select rgBOOTMEMCHK 0
# The serial port onto the infrared port's address: the infrared port moves to the other one.
drv select rgCOM1PORT 0
expect_choices rgCOM1PORT=0 rgCOM2PORT=1
shot system-page
drv select-tab ビデオ >/dev/null
drv select rgDISPMODE 0
drv select rgDISPSIZE 1
drv select-tab 省電力 >/dev/null
drv select rgPOWSW 2
drv select rgBATMODE 1
drv click cbCARDPOW
drv select cbSTANDBYAC 6
shot power-page
debug_report=$(drv text Memo3)

# ---- cancelled: not a byte changes
drv click btnUPDATE
d=$(drv dialog)
expect_value title TOVIKA "$d"
expect_value text CMOS内容を更新します. "$d"
expect_value buttons "OK|キャンセル" "$d"
shot confirmation
drv answer キャンセル >/dev/null
handler_done
drv no-dialog >/dev/null
expect_image "sim-cmos.dat after キャンセル" "$E2E_DIR/seeded.dat" "$(sim_cmos)"

# ---- confirmed
drv click btnUPDATE
expect_value text CMOS内容を更新します. "$(drv dialog)"
drv answer OK >/dev/null
handler_done
drv no-dialog >/dev/null
# The seeded image with every byte that the update writes, as the choices encode them.
written=(
  33 25  # memory check performed (bit 7 clear), the firmware's bits 6-0 as they were
  60 03  # plug and play; parallel mode without a choice written as unidirectional
  62 00 63 00 64 1C  # parallel port without a choice: off, IRQ 7; DMA without a choice: 0
  65 F8 66 02 67 F8 68 03 69 43  # serial 2F8h IRQ 3, infrared moved to 3F8h IRQ 4
  6A 00  # sound off, no DMA, no IRQ
  6C 07  # external monitor, extended size
  6F 00  # mouse without a choice: flat pad
  70 46  # hibernation, mains standard, battery saving, parallel discharge
  71 08  # panel switch LCD-OFF, PC cards powered
  72 01 73 00 74 1E 75 1E  # mains: CPU time-out and hard-disk time-out without a choice: 0
  76 1A 77 02 78 05 79 0A  # battery profile as loaded
  7A 80  # boot order without a choice: floppy, then hard disk
)
cp "$E2E_DIR/seeded.dat" "$E2E_DIR/expected.dat"
cmos_set "$E2E_DIR/expected.dat" "${written[@]}"
expect_image "sim-cmos.dat after the update" "$E2E_DIR/expected.dat" "$(sim_cmos)"
# The window keeps the choices, and the debug report those of the load.
expect_choices rgPOWSW=2 rgBATMODE=1 cbCARDPOW=1 cbSTANDBYAC=6 rgLPTMODE=-1 rgBOOTMODE=-1
expect_eq "Memo3 after the update" "$debug_report" "$(drv text Memo3)"
shot after-update
drv close
expect_exit "$E2E_PID" 0 "exit status"
drv wait-gone

# ---- after a restart the window shows what was chosen, and the encoding of no choice
e2e_start
drv wait-window >/dev/null
drv select-tab 省電力 >/dev/null
expect_choices rgBOOTMEMCHK=0 rgCOM1PORT=0 rgCOM2PORT=1 rgDISPMODE=0 rgDISPSIZE=1 rgPOWSW=2 \
  rgBATMODE=1 cbCARDPOW=1 cbSTANDBYAC=6 \
  rgLPTMODE=0 rgLPTPORT=3 rgMOUSEMODE=0 rgBOOTMODE=0 cbCPUTIMEOUTAC=0 cbHDTIMEOUTAC=0
shot restarted
expect_image "sim-cmos.dat after the restart" "$E2E_DIR/expected.dat" "$(sim_cmos)"
drv close
expect_exit "$E2E_PID" 0 "exit status"
