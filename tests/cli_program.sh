#!/usr/bin/env bash
# The Linux program `tovika` on simulated notebook folders, as a user runs it: the round trip
# of show through set -f, a backup restored, the exit statuses, and the help and version; then a
# backup edited as an image file (by tovika --image, and by nvramtool, which leaves 256 bytes)
# and restored, and the images that are refused.
set -euo pipefail
tovika=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
status() { local s=0; "$tovika" "$@" >"$work/out" 2>"$work/err" || s=$?; echo "$s"; }

mkdir "$work/a" "$work/b"
[ "$(status --sim "$work/a" show)" = 0 ] || fail "show"
[ -f "$work/a/sim-cmos.dat" ] || fail "a missing sim-cmos.dat is created"
[ "$(status --sim "$work/a" set parallel-mode=epp display=both mains-standby=#4)" = 0 ] || fail "set: $(cat "$work/err")"
"$tovika" --sim "$work/a" show >"$work/a.txt"
"$tovika" --sim "$work/b" set -f - <"$work/a.txt" >/dev/null
"$tovika" --sim "$work/b" show >"$work/b.txt"
cmp -s "$work/a.txt" "$work/b.txt" || fail "show | set -f does not carry the settings over"

[ "$(status --sim "$work/a" backup "$work/a.dat")" = 0 ] || fail "backup"
[ "$(stat -c %a "$work/a.dat")" = 600 ] || fail "the backup is readable by others"
[ "$(status --sim "$work/b" diff "$work/a.dat")" = 0 ] || fail "diff of equal settings"
"$tovika" --sim "$work/b" set boot-order=hdd-only >/dev/null
[ "$(status --sim "$work/b" diff "$work/a.dat")" = 1 ] || fail "diff of different settings"
grep -qx 'boot-order: hdd-only → fdd-hdd' "$work/out" || fail "diff output: $(cat "$work/out")"
[ "$(status --sim "$work/b" restore "$work/a.dat" </dev/null)" = 2 ] || fail "restore without --yes"
[ "$(status --sim "$work/b" restore --yes "$work/a.dat")" = 0 ] || fail "restore"
[ "$(status --sim "$work/b" diff "$work/a.dat")" = 0 ] || fail "diff after restore"

[ "$(TOVIKA_SIM=$work/a status get parallel-mode rgDISPMODE)" = 0 ] || fail "get"
[ "$(cat "$work/out")" = "$(printf 'epp\nboth')" ] || fail "get output: $(cat "$work/out")"
[ "$(status --sim "$work/a" report --json)" = 0 ] || fail "report --json"
python3 -c 'import json,sys; r=json.load(open(sys.argv[1]))["report"]; assert r["base-memory-kb"]==640, r' "$work/out" ||
  fail "report --json"
[ "$(status --sim "$work/a" dump)" = 0 ] && [ "$(wc -l <"$work/out")" = 19 ] || fail "dump"
[ "$(status --sim "$work/a" hiberfile "$work/hiber.dat")" = 0 ] || fail "hiberfile"
[ "$(stat -c %s "$work/hiber.dat")" = $((0x02100000)) ] || fail "hibernation file size"
[ "$(status --sim "$work/a" hotkey f5)" = 0 ] || fail "hotkey"

[ "$(status --sim "$work/a" set nonsense=1)" = 2 ] || fail "unknown setting"
printf 'short' >"$work/short.dat"
[ "$(status --sim "$work/a" restore --yes "$work/short.dat")" = 2 ] || fail "short backup"
[ "$(status --sim "$work/a" restore --yes "$work/none.dat")" = 4 ] || fail "missing backup"
[ "$(status --version)" = 0 ] && grep -qx 'tovika [0-9.]*' "$work/out" || fail "--version"
[ "$(status --help)" = 0 ] && grep -q 'restore' "$work/out" || fail "--help"
# The locale decides the language of show and report: English (no byte above 7Fh) unless it
# is Japanese in UTF-8; --lang chooses; the lines stay the same.
for command in show report; do
  [ "$(LC_ALL= LC_MESSAGES= LANG=en_US.UTF-8 status --sim "$work/a" $command)" = 0 ] || fail "$command in English"
  ! LC_ALL=C grep -q '[^ -~]' "$work/out" || fail "$command under en_US.UTF-8 is not ASCII: $(cat "$work/out")"
  cp "$work/out" "$work/en.txt"
  [ "$(LC_ALL=ja_JP.UTF-8 status --sim "$work/a" $command)" = 0 ] || fail "$command in Japanese"
  LC_ALL=C grep -q '[^ -~]' "$work/out" || fail "$command under ja_JP.UTF-8 is not Japanese"
  [ "$(wc -l <"$work/out")" = "$(wc -l <"$work/en.txt")" ] || fail "$command: other lines in English"
  [ "$(LC_ALL=ja_JP.UTF-8 status --lang en --sim "$work/a" $command)" = 0 ] && cmp -s "$work/out" "$work/en.txt" ||
    fail "$command --lang en"
done
# A backup edited as an image puts exactly the edited setting on a notebook.
mkdir "$work/c" "$work/d"
"$tovika" --sim "$work/c" backup "$work/c.dat" >/dev/null
cp "$work/c.dat" "$work/edited.dat"
chmod 640 "$work/edited.dat"
[ "$(TOVIKA_SIM=$work/none status --image "$work/edited.dat" set display=both)" = 0 ] || fail "set on an image: $(cat "$work/err")"
[ ! -e "$work/none" ] || fail "--image beats TOVIKA_SIM"
[ "$(stat -c %a "$work/edited.dat")" = 640 ] || fail "the image keeps its mode"
[ "$(cmp -l "$work/c.dat" "$work/edited.dat" | tr -s " ")" = "$((0x6C + 1)) 0 4" ] || fail "set on an image changed other bytes"
[ "$(status --sim "$work/d" restore --yes "$work/edited.dat")" = 0 ] || fail "restore of an edited image"
cmp -s "$work/d/sim-cmos.dat" "$work/edited.dat" || fail "the restore did not put exactly the edited setting"
[ "$(status --image "$work/edited.dat" report)" = 2 ] || fail "report on an image"
[ "$(status --image "$work/edited.dat" --sim "$work/d" show)" = 2 ] || fail "--image with --sim"
[ "$(status --image "$work/edited.dat" dump)" = 0 ] && [ "$(wc -l <"$work/out")" = 11 ] || fail "dump of an image"
if command -v nvramtool >/dev/null; then
  # nvramtool writes the bits of display (byte 6Ch, bits 1-2) and leaves the image 256 bytes long.
  printf 'entries\n865 2 e 1 display\n\nenumerations\n1 2 both\n\nchecksums\nchecksum 128 367 368\n' >"$work/layout"
  cp "$work/c.dat" "$work/nvram.dat"
  nvramtool -y "$work/layout" -D "$work/nvram.dat" -w display=both
  [ "$(stat -c %s "$work/nvram.dat")" = 256 ] || fail "nvramtool left $(stat -c %s "$work/nvram.dat") bytes"
  mkdir "$work/e"
  [ "$(status --sim "$work/e" restore --yes "$work/nvram.dat")" = 0 ] || fail "restore of nvramtool's image: $(cat "$work/err")"
  cmp -s "$work/e/sim-cmos.dat" "$work/edited.dat" || fail "nvramtool's edit restored otherwise"
  cp "$work/nvram.dat" "$work/nvram-before.dat"
  [ "$(status --image "$work/nvram.dat" set boot-order=hdd-only)" = 0 ] || fail "set on a 256-byte image"
  cmp -s <(tail -c 128 "$work/nvram.dat") <(tail -c 128 "$work/nvram-before.dat") || fail "the upper half is kept"
else
  echo "tovika: nvramtool is not installed; its 256-byte image not tried" >&2
fi
for size in 0 127 129 300; do
  head -c "$size" /dev/zero >"$work/bad.dat"
  [ "$(status --image "$work/bad.dat" set display=both)" = 2 ] || fail "an image of $size bytes"
  grep -q "is $size bytes long" "$work/err" || fail "the message names the size: $(cat "$work/err")"
  [ "$(stat -c %s "$work/bad.dat")" = "$size" ] || fail "the image of $size bytes was written"
done
# Sources that never end, and a FIFO without a writer: each refused at once, memory small.
mkfifo "$work/fifo"
endless() {  # STATUS ARGUMENTS...: ends with STATUS within 20 s, under 200 MB when measured
  local want=$1 s=0
  shift
  if [ -x /usr/bin/time ]; then
    /usr/bin/time -f %M -o "$work/rss" timeout 20 "$tovika" "$@" >"$work/out" 2>"$work/err" <"${input:-/dev/null}" || s=$?
  else
    timeout 20 "$tovika" "$@" >"$work/out" 2>"$work/err" <"${input:-/dev/null}" || s=$?
    echo 0 >"$work/rss"
  fi
  [ "$s" = "$want" ] || fail "$*: status $s, not $want: $(cat "$work/err")"
  [ "$(tail -n 1 "$work/rss")" -lt 200000 ] || fail "$*: $(tail -n 1 "$work/rss") KB of memory"
}
endless 4 --image /dev/zero get display
endless 4 --image "$work/fifo" show
endless 4 --sim "$work/a" diff /dev/zero
endless 4 --sim "$work/a" restore --yes "$work/fifo"
endless 4 --sim "$work/a" set -f /dev/zero
input=/dev/zero endless 2 --sim "$work/a" set -f -
grep -q "standard input is larger than 1048576 bytes" "$work/err" || fail "endless standard input: $(cat "$work/err")"
endless 2 --sim "$work/a" set -f "$work/fifo"  # no writer: empty, so no settings
[ "$(status --sim "$work/a" set -f <(echo display=both))" = 0 ] || fail "set -f <(...): $(cat "$work/err")"
mkdir "$work/f" && ln -s /dev/zero "$work/f/sim-cmos.dat"
endless 4 --sim "$work/f" show
grep -q "sim-cmos.dat is a character device" "$work/err" || fail "a sim-cmos.dat linked to a device: $(cat "$work/err")"
# An image that is a link: read through it, never written through it nor replaced.
cp "$work/c.dat" "$work/target.img"
ln -s target.img "$work/link.img"
[ "$(status --image "$work/link.img" get display)" = 0 ] || fail "get through a link"
[ "$(status --image "$work/link.img" set display=both)" = 4 ] || fail "set through a link"
grep -q "link.img is a symbolic link" "$work/err" || fail "the link's message: $(cat "$work/err")"
[ -L "$work/link.img" ] && cmp -s "$work/target.img" "$work/c.dat" || fail "the link or its target changed"
mkdir "$work/folder.dat"
[ "$(status --image "$work/folder.dat" show)" = 4 ] || fail "a folder as an image"
echo "tovika: all checks passed"
