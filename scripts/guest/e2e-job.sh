#!/usr/bin/env bash
# In the guest (scripts/guest/e2e.sh): build/win32 is on the host's read-only root, so a copy
# in tmpfs is mounted over it (tmpfs also takes chattr +i, which 9p refuses); the tests run
# there and their logs are copied to the job's folder, which the host keeps.
set -uo pipefail
build=$PWD/build/win32
mkdir -p /tmp/win32
cp -a "$build/." /tmp/win32/
rm -rf /tmp/win32/e2e-work /tmp/win32/Testing
mount --bind /tmp/win32 "$build"
status=0
ctest --test-dir "$build" --output-on-failure "$@" || status=$?
rm -rf "$TOVIKA_GUEST_OUT/e2e-work"
mkdir -p "$TOVIKA_GUEST_OUT/e2e-work"
cp "$build/Testing/Temporary/LastTest.log" "$TOVIKA_GUEST_OUT/" 2>/dev/null
(cd "$build/e2e-work" && find . -path ./template-prefix -prune -o -name prefix -prune -o -type f -print |
   cpio -pdm --quiet "$TOVIKA_GUEST_OUT/e2e-work") 2>/dev/null
exit "$status"
