#!/usr/bin/env bash
# Each executable is at most LIMIT bytes: one file that a user copies, small enough for the
# floppy disks and the slow disks of the notebook's era.
#   check_size.sh LIMIT EXE...
set -euo pipefail
limit=$1
shift
status=0
for exe in "$@"; do
  size=$(stat -c %s "$exe")
  if [ "$size" -gt "$limit" ]; then
    echo "FAIL: $(basename "$exe") is $size bytes, $((size - limit)) over the limit of $limit"
    status=1
  else
    echo "ok: $(basename "$exe") is $size bytes, $((limit - size)) to spare"
  fi
done
exit "$status"
