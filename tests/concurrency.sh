#!/usr/bin/env bash
# Several `tovika` processes at once on one simulated notebook and on one image file: in every
# round three writers, each changing another setting, and a reader that backs the CMOS up, all
# started together. Every writer must end 0, every change must land, and the reader's backup
# must be one of the eight images that some of the writers' complete changes make (never half
# of a write). Rounds: $2 (40 by default) on each. No sleeps: each round waits for its
# processes.
set -euo pipefail
tovika=$1
rounds=${2:-40}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

changes=(display=both boot-order=hdd-only memory-check=skip)

# The eight images that the writers' changes make, one for each set of them applied.
mkdir "$work/factory"
"$tovika" --sim "$work/factory" backup "$work/factory.dat" >/dev/null
valid=()
for mask in 0 1 2 3 4 5 6 7; do
  cp "$work/factory.dat" "$work/state$mask.dat"
  for i in 0 1 2; do
    if (( mask >> i & 1 )); then
      "$tovika" --image "$work/state$mask.dat" set "${changes[$i]}" >/dev/null
    fi
  done
  valid+=("$work/state$mask.dat")
done
cmp -s "$work/state0.dat" "$work/state7.dat" && fail "the changes change nothing"

# One round on the target given by $@ (--sim DIR or --image FILE); $current names its CMOS file.
round() {
  local pids=() i status
  for i in 0 1 2; do
    "$tovika" "$@" set "${changes[$i]}" >"$work/out$i" 2>"$work/err$i" &
    pids+=($!)
  done
  "$tovika" "$@" backup "$work/seen.dat" >/dev/null 2>"$work/err-reader" &
  pids+=($!)
  for i in 0 1 2 3; do
    status=0
    wait "${pids[$i]}" || status=$?
    [ "$status" = 0 ] || fail "round $r on $*: process $i ended $status: $(cat "$work/err$i" "$work/err-reader" 2>/dev/null)"
  done
  cmp -s "$current" "$work/state7.dat" || fail "round $r on $*: a change was lost: $(cmp -l "$current" "$work/state7.dat")"
  local seen=no v
  for v in "${valid[@]}"; do cmp -s "$work/seen.dat" "$v" && seen=yes; done
  [ "$seen" = yes ] || fail "round $r on $*: the reader saw a torn image"
}

mkdir "$work/sim"
for ((r = 1; r <= rounds; r++)); do
  cp "$work/factory.dat" "$work/sim/sim-cmos.dat"
  current=$work/sim/sim-cmos.dat
  round --sim "$work/sim"
done
for ((r = 1; r <= rounds; r++)); do
  cp "$work/factory.dat" "$work/image.dat"
  current=$work/image.dat
  round --image "$work/image.dat"
done
echo "tovika: $rounds rounds on a simulated notebook and $rounds on an image, nothing lost"
