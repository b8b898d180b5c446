#!/usr/bin/env bash
# Makes the PC guest that runs the i686 programs where this machine's kernel executes no 32-bit
# code: Debian's own kernel (IA-32 emulation built in) and a small initramfs of busybox-static
# with the modules for virtio-9p and the CMOS's nvram driver. Nothing else is downloaded: the
# guest's system is this machine's own root, shared read-only (scripts/guest/run.sh).
# Made once per clone under build/guest; run again, it finds the guest ready.
#   bash scripts/guest/make.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
out=$PWD/build/guest
[ -f "$out/ready" ] && [ "$out/ready" -nt scripts/guest/init ] && exit 0

rm -rf "$out/kernel" "$out/initramfs"
mkdir -p "$out/kernel" "$out/initramfs"
# The kernel package that linux-image-amd64 depends on.
pkg=$(apt-cache depends linux-image-amd64 | sed -n 's/^ *Depends: \(linux-image-[0-9].*\)/\1/p' | head -n 1)
[ -n "$pkg" ] || { echo "no kernel package named by linux-image-amd64 (apt-get update?)" >&2; exit 1; }
(cd "$out" && rm -f linux-image-*.deb && apt-get download "$pkg" >/dev/null 2>&1)
dpkg-deb -x "$out"/"$pkg"_*.deb "$out/kernel"
version=${pkg#linux-image-}
cp "$out/kernel/boot/vmlinuz-$version" "$out/vmlinuz"
depmod -b "$out/kernel" "$version"

# The initramfs: busybox, the modules in the order modprobe loads them, and the init script.
root=$out/initramfs
mkdir -p "$root"/{bin,dev,proc,sys,newroot,modules}
cp /bin/busybox "$root/bin/busybox"
for m in virtio_pci 9pnet_virtio 9p nvram; do
  modprobe -d "$out/kernel" -S "$version" --show-depends "$m" | sed -n 's/^insmod //p' | cut -d' ' -f1
done | awk '!seen[$0]++' | while read -r ko; do
  name=$(basename "$ko")
  case $name in
    *.xz) xz -dc "$ko" >"$root/modules/${name%.xz}"; name=${name%.xz} ;;
    *) cp "$ko" "$root/modules/$name" ;;
  esac
  echo "$name"
done >"$root/modules/order"
cp scripts/guest/init "$root/init"
chmod +x "$root/init"
(cd "$root" && find . | cpio -o -H newc --quiet | gzip -1) >"$out/initrd.img"
rm -rf "$out/kernel" "$out"/linux-image-*.deb
touch "$out/ready"
echo "guest ready in $out: kernel $version, modules $(tr '\n' ' ' <"$root/modules/order")"
