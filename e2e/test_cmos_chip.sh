#!/usr/bin/env bash
# The i686 programs' port instructions against a real CMOS chip: the PC guest's clock chip
# (scripts/guest), an MC146818 of 128 bytes at ports 70h/71h with nothing behind port B0h, so
# the firmware never answers. Only this test runs with the ports granted: it re-runs itself
# under iopl(3), which Wine and the programs it starts inherit. Before anything, the standard
# checksum (2Eh/2Fh, which the emulator leaves at 0) is set, or the kernel's nvram driver
# refuses every access. Then TOVIKAC.exe over the ports and tovika over /dev/nvram must name
# the same settings and show the same bytes 0Eh-7Fh; TOVIKA.exe loads its window from the chip
# in the NT and the 95/98 mode; every write that the firmware does not confirm is refused and
# no byte of the chip changes; tovika's backup and diff work on the kernel's driver.
source "$(dirname "$0")/lib.sh"
if [ -z "${TOVIKA_IN_GUEST:-}" ] || [ ! -c /dev/nvram ]; then
  e2e_log "SKIPPED: needs the CMOS chip of the PC guest (scripts/guest/e2e.sh)"
  exit 77
fi
e2e_needs_i686 "the chip is reached by the i686 programs in the PC guest"
if [ -z "${E2E_PORTS_GRANTED:-}" ]; then
  # 172: iopl on x86-64. The port bitmap survives exec, so every process of the test has it.
  E2E_PORTS_GRANTED=1 exec perl -e 'syscall(172, 3) == 0 or die "iopl: $!\n"; exec @ARGV or die "$ARGV[0]: $!\n"' \
    bash "$0" "$@"
fi

# The standard checksum: the sum of 10h-2Dh, high byte in 2Eh, over /dev/port.
perl -e '
  open(my $p, "+<", "/dev/port") or die "/dev/port: $!\n";
  sub rd { sysseek($p, 0x70, 0); syswrite($p, chr($_[0])); sysseek($p, 0x71, 0); sysread($p, my $b, 1); ord $b }
  sub wr { sysseek($p, 0x70, 0); syswrite($p, chr($_[0])); sysseek($p, 0x71, 0); syswrite($p, chr($_[1])) }
  my $sum = 0; $sum += rd($_) for 0x10 .. 0x2D;
  wr(0x2E, $sum >> 8); wr(0x2F, $sum & 0xFF);'
chip() { od -An -tx1 -v /dev/nvram | tr -s ' \n' ' '; }   # the bytes 0Eh-7Fh
chip_at_start=$(chip)

tovika=
for b in release native; do
  [ -x "$E2E_SOURCE_DIR/build/$b/tovika" ] && { tovika=$E2E_SOURCE_DIR/build/$b/tovika; break; }
done
[ -n "$tovika" ] || e2e_fail "build tovika first: cmake --build --preset native"

e2e_begin cmos_chip
e2e_unmanaged
cp "$E2E_BUILD_DIR/TOVIKAC.exe" "$E2E_BUILD_DIR/TOVIKA.exe" "$E2E_APP/"
# cmos_rows <dump>: the CMOS bytes 0Eh-7Fh of a dump, one a line (tovika cannot reach 00h-0Dh).
cmos_rows() { sed -n '/^CMOS /,/^$/p' <<<"$1" | sed -n 's/^[0-9A-F]* : //p' | tr ',' '\n' | tail -n +15; }

# ---- the same settings and bytes over the ports and over /dev/nvram
linux_show=$("$tovika" show) || e2e_fail "tovika show over /dev/nvram failed"
expect_eq "TOVIKAC show" 0 "$(status_of show)"
expect_contains "TOVIKAC show, standard error" "giveio" "$(cat "$E2E_DIR/err")"
expect_eq "the settings over the ports and over /dev/nvram" "$linux_show" "$(cat "$E2E_DIR/out")"
linux_dump=$("$tovika" dump) || true
tovikac dump || true
expect_eq "CMOS 0Eh-7Fh over the ports and over /dev/nvram" "$(cmos_rows "$linux_dump")" "$(cmos_rows "$(cat "$E2E_DIR/out")")"
[ "$(cmos_rows "$linux_dump" | wc -l)" = 114 ] || e2e_fail "tovika dump gave no 114 bytes: $linux_dump"

# ---- writes the firmware does not confirm: refused, the chip unchanged
expect_eq "TOVIKAC set with no firmware" 3 "$(status_of set display=both)"
expect_eq "the chip after TOVIKAC set" "$chip_at_start" "$(chip)"

# ---- tovika's backup and diff on the kernel's driver
"$tovika" backup "$E2E_DIR/chip.dat" >/dev/null || e2e_fail "tovika backup over /dev/nvram failed"
expect_eq "size of the backup" 128 "$(stat -c %s "$E2E_DIR/chip.dat")"
expect_eq "backup 0Eh-7Fh" "$chip_at_start" "$(tail -c 114 "$E2E_DIR/chip.dat" | od -An -tx1 -v | tr -s ' \n' ' ')"
diff_status=0
diff_out=$("$tovika" diff "$E2E_DIR/chip.dat") || diff_status=$?
expect_eq "tovika diff against its own backup" "0|" "$diff_status|$diff_out"

# ---- TOVIKA.exe loads its window from the chip: NT mode (the giveio message once), 95/98 mode
E2E_EXE_WIN='C:\tovika\TOVIKA.exe'
for mode in nt win98; do
  [ "$mode" = win98 ] && winecfg -v win98
  e2e_start
  [ "$mode" = nt ] && expect_one_dialog "$giveio"
  drv wait-window >/dev/null
  drv no-dialog >/dev/null
  shot "$mode-loaded"
  [ -n "$(drv text Memo2)" ] || e2e_fail "$mode: no report after loading from the chip"
  if [ "$mode" = nt ]; then
    # 更新 with a firmware that does not answer: refused with a message, nothing written.
    drv click btnUPDATE
    expect_value text "CMOS内容を更新します." "$(drv dialog)"
    drv answer OK >/dev/null
    expect_one_dialog "$firmware_silent"
    expect_eq "the chip after 更新" "$chip_at_start" "$(chip)"
  fi
  drv close
  expect_exit "$E2E_PID" 0 "$mode: exit status"
  drv wait-gone
done
expect_eq "the chip at the end" "$chip_at_start" "$(chip)"
