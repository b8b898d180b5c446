#!/usr/bin/env bash
# Builds the part of the C++ runtime that the i686 programs link, for the Pentium: libstdc++'s
# support library (exceptions, type information, new and delete; libsupc++ and the one file
# of std::function's exception) and libgcc's unwinder with its emulated thread-local storage,
# from the sources of the installed GCC (Debian's gcc-12-source), compiled with the installed
# cross compiler at -march=pentium. The distributed libraries are built for the Pentium Pro.
#   pentium-runtime.sh SOURCE-TARBALL WORKDIR ARCHIVE CC CXX AR
# Each step leaves a stamp in WORKDIR, so that a build interrupted goes on where it stopped and
# a build folder pays for this once. The unwinder needs GCC's generated target headers: GCC's
# own build makes them from a configured tree (the generator programs and a few make targets,
# about three minutes), which is most of the time this takes.
set -euo pipefail
# GCC's build runs its own make, not as a part of the make that runs this script.
unset MAKEFLAGS MFLAGS MAKELEVEL
tarball=$1 work=$2 archive=$3 cc=$4 cxx=$5 ar=$6
version=$(basename "$tarball")
version=${version%%.tar.*}
version=${version%-dfsg}  # the folder in the tarball: gcc-12.2.0
src=$work/$version
jobs=${TOVIKA_RUNTIME_JOBS:-2}
mkdir -p "$work"
cd "$work"
# One build at a time in WORKDIR: a second one (another build folder of the same clone, or
# CPack's install of this one) waits, then finds the steps done.
exec 9>"$work/.lock"
flock 9
log=$work/build.log

step() { echo "-- pentium runtime: $1"; }
fail() { echo "pentium runtime: $1 failed; the last lines of $log:" >&2; tail -n 30 "$log" >&2; exit 1; }

if [ ! -f extract.stamp ]; then
  step "unpacking $(basename "$tarball") (the parts needed)"
  rm -rf "$src"
  # The front ends, the other target libraries and the test suites are not needed.
  tar -xf "$tarball" "$version" \
      --exclude="$version/gcc/testsuite" --exclude="$version/libstdc++-v3/testsuite" \
      --exclude="$version/gcc/ada" --exclude="$version/gcc/d" --exclude="$version/gcc/go" \
      --exclude="$version/gcc/fortran" --exclude="$version/gcc/m2" --exclude="$version/libgo" \
      --exclude="$version/libphobos" --exclude="$version/libgfortran" --exclude="$version/libada" \
      --exclude="$version/libsanitizer" --exclude="$version/libgomp" >"$log" 2>&1 || fail "unpacking"
  touch extract.stamp
fi

gcc_headers="tm.h tconfig.h options.h insn-constants.h insn-flags.h insn-modes.h"
if [ ! -f headers.stamp ]; then
  step "GCC's target headers for i686-w64-mingw32, Pentium (a few minutes, once)"
  rm -rf obj
  mkdir obj
  (cd obj &&
   "$src/configure" --target=i686-w64-mingw32 --with-arch=pentium --enable-languages=c,c++ \
       --enable-threads=win32 --disable-multilib --disable-nls --disable-bootstrap \
       --disable-libstdcxx-pch >>"$log" 2>&1 &&
   make -j"$jobs" configure-gcc all-build-libiberty all-build-libcpp >>"$log" 2>&1 &&
   make -C gcc $gcc_headers >>"$log" 2>&1) || fail "making GCC's target headers"
  touch headers.stamp
fi

# The headers that libgcc's own configure would write for this target: the win32 threads,
# the unwinder's support for Windows signal frames, and no target macros of libgcc's own.
mkdir -p include
echo '#include "config/i386/gthr-win32.h"' >include/gthr-default.h
echo '#include "config/i386/w32-unwind.h"' >include/md-unwind-support.h
printf '#ifndef LIBGCC_TM_H\n#define LIBGCC_TM_H\n#endif\n' >include/libgcc_tm.h

# What each source is compiled with. The unwinder: as libgcc builds it for a static library
# (its symbols hidden from any DLL, exceptions through its own frames). The support library:
# as libstdc++ builds it (templates instantiated only where asked). Both for size, each
# function in a section of its own so that the linker drops what the programs do not use.
# (With these headers and flags, but -O2 and the compiler's default processor, the objects
# come out instruction for instruction as those of Debian's libgcc_eh.a and libstdc++.a:
# the two differ only in -march=pentium and -Os.)
common="-march=pentium -Os -ffunction-sections -fdata-sections"
cflags="$common -DIN_GCC -DCROSS_DIRECTORY_STRUCTURE -DIN_LIBGCC2 -fbuilding-libgcc -fno-stack-protector
        -fexceptions -fvisibility=hidden -DHIDE_EXPORTS -I$work/include -I$work/obj/gcc -I$src/libgcc
        -I$src/gcc -I$src/include"
cxxflags="$common -fno-implicit-templates -I$src/libgcc"

rm -rf objects
mkdir objects
sources=()
for f in unwind-dw2.c unwind-dw2-fde.c emutls.c; do sources+=("$src/libgcc/$f"); done
for f in "$src"/libstdc++-v3/libsupc++/*.cc; do sources+=("$f"); done
sources+=("$src/libstdc++-v3/src/c++11/functional.cc")

step "compiling ${#sources[@]} files for the Pentium"
compile() {
  local source=$1 object
  object=objects/$(basename "${source%.*}").o
  case $source in
    *.c) $cc $cflags -c "$source" -o "$object" ;;
    *) $cxx $cxxflags -c "$source" -o "$object" ;;
  esac
}
export -f compile
export cc cxx cflags cxxflags
printf '%s\n' "${sources[@]}" | xargs -P "$jobs" -I{} bash -c 'compile "$@"' _ {} >>"$log" 2>&1 ||
  fail "compiling"

rm -f "$archive.tmp"
$ar rcs "$archive.tmp" objects/*.o || fail "archiving"
mv "$archive.tmp" "$archive"
step "$(basename "$archive"): $(ls objects | wc -l) objects"
