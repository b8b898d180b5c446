#!/usr/bin/env bash
# TOVIKAC.exe, the command line as a Windows console program, on the simulated notebook: its
# output in code page 932 as the window's texts (in English on code page 1252), a value
# given by its Japanese text, a backup restored after a change, JSON in UTF-8, and the exit
# statuses of bad input, a silent firmware and a byte that does not keep what was written; a
# CMOS image file edited and restored, and the images refused (--image), and the reason of a
# simulated notebook's image that cannot be read. Then the real ports
# in the NT family without giveio: the grant is missing, the first instruction is refused,
# status 3.
source "$(dirname "$0")/lib.sh"
e2e_begin cli
cp "$E2E_BUILD_DIR/TOVIKAC.exe" "$E2E_APP/"

byte() { od -An -tx1 -j "$1" -N1 "$(sim_cmos)" | tr -d ' \n'; }

expect_eq "show" 0 "$(status_of --sim 'C:\tovika' show)"
expect_contains "show" "device-mode         = manual          # マニュアル(ユーザー設定)" "$(cat "$E2E_DIR/out")"
expect_contains "show" "display             = lcd             # 内臓ＬＣＤ" "$(cat "$E2E_DIR/out")"
if iconv -f UTF-8 -t UTF-8 <"$E2E_DIR/out.raw" >/dev/null 2>&1; then e2e_fail "show is not in code page 932"; fi

# A Western system (Wine's code page 1252): show and report in English, no byte above 7Fh,
# the same lines; Japanese asked for is refused with a note; JSON as in Japanese.
high_bytes() { tr -d '\000-\177' <"$E2E_DIR/out.raw" | wc -c; }
western() { (unset LC_ALL; LANG=en_US.UTF-8 "$@"); }
cp "$E2E_DIR/out" "$E2E_DIR/show-ja"
expect_eq "show on code page 1252" 0 "$(western status_of --sim 'C:\tovika' show)"
expect_eq "bytes above 7Fh in show on code page 1252" 0 "$(high_bytes)"
expect_contains "show on code page 1252" "device-mode         = manual          # Manual (user)" "$(cat "$E2E_DIR/out")"
expect_contains "show on code page 1252" "display             = lcd             # Internal LCD" "$(cat "$E2E_DIR/out")"
expect_eq "show's lines in English" "$(wc -l <"$E2E_DIR/show-ja")" "$(wc -l <"$E2E_DIR/out")"
expect_eq "report on code page 1252" 0 "$(western status_of --sim 'C:\tovika' report)"
expect_eq "bytes above 7Fh in report on code page 1252" 0 "$(high_bytes)"
expect_contains "report on code page 1252" "  Size needed for hibernation =   33792KB /02100000" "$(cat "$E2E_DIR/out")"
expect_eq "report's lines in English" 22 "$(wc -l <"$E2E_DIR/out")"
expect_eq "--lang ja on code page 1252" 0 "$(western status_of --lang ja --sim 'C:\tovika' show)"
expect_eq "bytes above 7Fh after --lang ja on code page 1252" 0 "$(high_bytes)"
expect_contains "--lang ja on code page 1252" "Japanese cannot be shown here (the output's code page is 1252, not 932)" "$(cat "$E2E_DIR/err")"
expect_eq "--lang en" 0 "$(status_of --lang en --sim 'C:\tovika' show)"
expect_contains "--lang en" "# Power" "$(cat "$E2E_DIR/out")"
status_of --sim 'C:\tovika' show --json >/dev/null
cp "$E2E_DIR/out.raw" "$E2E_DIR/json-ja"
western status_of --sim 'C:\tovika' show --json >/dev/null
cmp -s "$E2E_DIR/out.raw" "$E2E_DIR/json-ja" || e2e_fail "show --json differs on code page 1252"

# TOVIKA_SIM instead of --sim; a value by its text in the window's language.
export TOVIKA_SIM='C:\tovika'
expect_eq "backup" 0 "$(status_of backup 'C:\tovika\before.dat')"
cmp -s "$(sim_cmos)" "$E2E_APP/before.dat" || e2e_fail "the backup differs from sim-cmos.dat"
expect_eq "set by text" 0 "$(status_of set memory-check=省略する 'display=#2')"
expect_contains "set" "memory-check: run → skip" "$(cat "$E2E_DIR/out")"
expect_eq "byte 33h" a0 "$(byte $((0x33)))"
expect_eq "byte 6Ch" 04 "$(byte $((0x6C)))"

expect_eq "diff" 1 "$(status_of diff 'C:\tovika\before.dat')"
expect_eq "restore" 0 "$(status_of restore --yes 'C:\tovika\before.dat')"
cmp -s "$(sim_cmos)" "$E2E_APP/before.dat" || e2e_fail "the restore did not bring the backup back"
expect_eq "diff after restore" 0 "$(status_of diff 'C:\tovika\before.dat')"

expect_eq "show --json" 0 "$(status_of show --json)"
python3 -c 'import json,sys; d=json.load(open(sys.argv[1],encoding="utf-8")); assert d["settings"][0]["text"]=="マニュアル(ユーザー設定)"' \
  "$E2E_DIR/out.raw" || e2e_fail "show --json is not UTF-8 JSON"

before=$(md5sum <"$(sim_cmos)")
expect_eq "bad value" 2 "$(status_of set memory-check=maybe)"
printf 'firmware-answers = no\n' >"$(sim_ini)"
expect_eq "silent firmware" 3 "$(status_of set boot-order=hdd-only)"
printf 'cmos-stuck-7A = 0x80\n' >"$(sim_ini)"
expect_eq "stuck byte" 3 "$(status_of set boot-order=hdd-only)"
expect_contains "stuck byte" "CMOS 7Ah reads back 80 after 78 was written" "$(cat "$E2E_DIR/err")"
expect_eq "the image after the refusals" "$before" "$(md5sum <"$(sim_cmos)")"
rm "$(sim_ini)"

# A CMOS image file as the notebook: set edits only its setting (the upper half of a 256-byte
# image kept), restore puts exactly that on the simulated notebook, the firmware's commands and
# bad images are refused, and --image beats TOVIKA_SIM.
export TOVIKA_SIM='C:\tovika\no-such-folder'
cp "$(sim_cmos)" "$E2E_APP/image.dat"
head -c 128 /dev/urandom >"$E2E_APP/upper.bin"
cat "$(sim_cmos)" "$E2E_APP/upper.bin" >"$E2E_APP/image256.dat"
expect_eq "set on an image" 0 "$(status_of --image 'C:\tovika\image.dat' set display=both)"
expect_eq "image bytes changed" "$((0x6C + 1)) 0 4" "$(cmp -l "$(sim_cmos)" "$E2E_APP/image.dat" | tr -s ' ')"
expect_eq "set on a 256-byte image" 0 "$(status_of --image 'C:\tovika\image256.dat' set display=both)"
cmp -s <(head -c 128 "$E2E_APP/image256.dat") "$E2E_APP/image.dat" || e2e_fail "the 256-byte image was set otherwise"
cmp -s <(tail -c 128 "$E2E_APP/image256.dat") "$E2E_APP/upper.bin" || e2e_fail "the upper half was not kept"
[ ! -e "$E2E_APP/no-such-folder" ] || e2e_fail "--image does not beat TOVIKA_SIM"
expect_eq "get on an image" 0 "$(status_of --image 'C:\tovika\image256.dat' get display)"
expect_eq "get on an image" both "$(cat "$E2E_DIR/out")"
expect_eq "report on an image" 2 "$(status_of --image 'C:\tovika\image.dat' report)"
expect_contains "report on an image" "report needs the notebook's firmware" "$(cat "$E2E_DIR/err")"
expect_eq "dump of an image" 0 "$(status_of --image 'C:\tovika\image.dat' dump)"
expect_contains "dump of an image" "no firmware status words" "$(cat "$E2E_DIR/out")"
expect_eq "--image with --sim" 2 "$(status_of --image 'C:\tovika\image.dat' --sim 'C:\tovika' show)"
head -c 129 "$E2E_APP/image256.dat" >"$E2E_APP/bad.dat"
expect_eq "an image of 129 bytes" 2 "$(status_of --image 'C:\tovika\bad.dat' set display=lcd)"
expect_contains "an image of 129 bytes" "is 129 bytes long" "$(cat "$E2E_DIR/err")"
expect_eq "the refused image" 129 "$(stat -c %s "$E2E_APP/bad.dat")"
mkdir "$E2E_APP/folder.dat"
expect_eq "a folder as an image" 4 "$(status_of --image 'C:\tovika\folder.dat' show)"
# The simulated notebook's image held by another program: the command line says why in the
# system's English words (Wine's for ERROR_SHARING_VIOLATION), on code page 932 as well.
hold 'C:\tovika\sim-cmos.dat'
expect_eq "a held image" 4 "$(status_of --sim 'C:\tovika' show)"
expect_contains "a held image" "sim-cmos.dat (Sharing violation)" "$(cat "$E2E_DIR/err")"
release
# What is not a file, named as an image, a backup or a settings file: the device names and a
# pipe's name are refused at once with status 4, and nothing is written.
before=$(md5sum <"$(sim_cmos)")
for device in NUL CON COM1 'C:\tovika\aux.dat' '\\.\pipe\tovika'; do
  expect_eq "--image $device" 4 "$(status_of --image "$device" set display=both)"
  expect_contains "--image $device" "not a regular file" "$(cat "$E2E_DIR/err")"
  expect_eq "restore $device" 4 "$(status_of --sim 'C:\tovika' restore --yes "$device")"
  expect_eq "diff $device" 4 "$(status_of --sim 'C:\tovika' diff "$device")"
done
expect_eq "set -f NUL" 4 "$(status_of --sim 'C:\tovika' set -f NUL)"
expect_eq "the simulated notebook after the devices" "$before" "$(md5sum <"$(sim_cmos)")"
expect_eq "layout" 0 "$(status_of layout)"
expect_contains "layout" "checksum 128 367 368" "$(cat "$E2E_DIR/out")"
unset TOVIKA_SIM
expect_eq "restore of the 256-byte image" 0 "$(status_of --sim 'C:\tovika' restore --yes 'C:\tovika\image256.dat')"
cmp -s "$(sim_cmos)" "$E2E_APP/image.dat" || e2e_fail "the restore did not put exactly the edited setting"

# The real ports, NT family (Wine's default), no giveio.
unset TOVIKA_SIM
expect_eq "real dump" 3 "$(status_of dump)"
expect_contains "real dump" "giveio" "$(cat "$E2E_DIR/err")"
expect_contains "real dump" "privileged instruction refused: output to port 70h" "$(cat "$E2E_DIR/err")"
