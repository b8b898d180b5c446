#!/usr/bin/env bash
# Runs one command in the PC guest (scripts/guest/make.sh) under QEMU: its kernel executes
# 32-bit code, and its system is this machine's root, read-only, with tmpfs on /tmp, /root,
# /run, /var/tmp and /dev/shm. The command runs as root in the current folder, with the
# TOVIKA_* and E2E_* variables of this environment; its output comes here and its status is
# this script's. Nothing it writes outside tmpfs survives, except in the folder named by
# TOVIKA_GUEST_OUT (default build/guest/out), which the guest can write.
#   bash scripts/guest/run.sh COMMAND [ARGUMENT...]
# TOVIKA_GUEST_CPUS (default 2) and TOVIKA_GUEST_MEMORY (MiB, default 6144) size the guest.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/make.sh"
guest=$(cd "$here/../.." && pwd)/build/guest
out=$(mkdir -p "${TOVIKA_GUEST_OUT:-$guest/out}" && cd "${TOVIKA_GUEST_OUT:-$guest/out}" && pwd)
rm -f "$out/status" "$out/job"
{
  echo '#!/bin/bash'
  printf 'export HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin TOVIKA_IN_GUEST=1 TOVIKA_GUEST_OUT=%q\n' "$out"
  export -p | grep -E '^declare -x (TOVIKA|E2E)_[A-Za-z0-9_]*=' || true
  printf 'cd %q || exit 125\n' "$PWD"
  printf 'exec'
  printf ' %q' "$@"
  echo
} >"$out/job"

# -cpu Nehalem: with "max", 32-bit Wine dies at an iret in the guest.
qemu-system-x86_64 -machine pc -cpu Nehalem -smp "${TOVIKA_GUEST_CPUS:-2}" \
  -m "${TOVIKA_GUEST_MEMORY:-6144}" -nographic -no-reboot -nic none \
  -kernel "$guest/vmlinuz" -initrd "$guest/initrd.img" \
  -append "console=ttyS0 quiet loglevel=0 panic=-1 tovika.job=$out tovika.dir=$PWD" \
  -fsdev local,id=host,path=/,security_model=none,readonly=on,multidevs=remap \
  -device virtio-9p-pci,fsdev=host,mount_tag=host \
  -fsdev local,id=job,path="$out",security_model=none,multidevs=remap \
  -device virtio-9p-pci,fsdev=job,mount_tag=job </dev/null | sed -u 's/\r//g'
[ -f "$out/status" ] || { echo "the guest ended without the job's status" >&2; exit 1; }
exit "$(cat "$out/status")"
