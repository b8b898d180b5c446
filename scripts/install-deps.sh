#!/usr/bin/env bash
# Installs what building and testing TOVIKA needs on Debian 12: the native toolchain with
# GoogleTest and Google Benchmark, MinGW-w64 for the i686 Windows build (with the installed
# GCC's sources and the libraries GCC's configure asks for: the i686 programs' runtime is
# compiled from them for the Pentium, cmake/pentium-runtime.sh) and for the x86-64 build that
# runs the tests where no 32-bit code runs, Wine with its i386 packages and its 64-bit
# loader, Xvfb with a screenshot tool, dpkg-dev, man and lintian for the Debian package and
# its check, coreboot-utils (nvramtool, the field's CMOS tool the tests compare with), QEMU
# with busybox-static, kmod and cpio for the PC guest that runs the i686 tests where this
# machine executes no 32-bit code (scripts/guest), and generated ja_JP.UTF-8 and en_US.UTF-8
# locales (without the first Wine falls back to code page 1252 and the Japanese texts turn to
# garbage; the second is the Western system that the tests of English try).
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
for p in cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev clang \
         g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 mingw-w64-i686-dev \
         g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev \
         gcc-12-source libgmp-dev libmpfr-dev libmpc-dev xz-utils \
         wine wine32:i386 wine64 xvfb x11-utils imagemagick locales fonts-ipafont-gothic fonts-dejavu-core \
         libclang-rt-14-dev e2fsprogs dpkg-dev man-db groff-base lintian coreboot-utils \
         qemu-system-x86 busybox-static kmod cpio; do
  have "$p" || need+=("$p")
done

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need+=(wine32:i386)
fi

if [ ${#need[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# ja_JP.UTF-8 for the Japanese texts; en_US.UTF-8 for the tests of a Western system.
for l in ja_JP en_US; do
  if ! locale -a 2>/dev/null | grep -qi "^$l\.utf-\?8\$"; then
    localedef -i "$l" -f UTF-8 "$l.UTF-8"
  fi
done
