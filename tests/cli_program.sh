#!/usr/bin/env bash
# The Linux program `tovika` on simulated notebook folders, as a user runs it: the round trip
# of show through set -f, a backup restored, the exit statuses, and the help and version.
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
echo "tovika: all checks passed"
