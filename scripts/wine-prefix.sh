#!/usr/bin/env bash
# Prepares a Wine prefix for TOVIKA: boots it when it is new and maps the Japanese
# fonts that the window asks for ("ＭＳ Ｐゴシック", "ＭＳ ゴシック" and their English names)
# to the IPA Gothic fonts (package fonts-ipafont-gothic), and the fixed-pitch face of the
# English window ("Courier New", which Wine lacks) to DejaVu Sans Mono. Safe to run again;
# a prepared prefix is left as it is. Ends when the prefix's wineserver has written everything to disk,
# so the prefix can be copied as a template: prepare a new prefix before starting programs
# in it, or the script waits for them to end.
#
#   scripts/wine-prefix.sh [PREFIX]     (default: $WINEPREFIX)
#
# WINEARCH=win64 makes a 64-bit prefix, run by the 64-bit loader, for the win64 build on a
# machine that executes no 32-bit code; the default is a 32-bit prefix for the i686 build.
#
# Run it with the Japanese locale that the program runs under (LANG=ja_JP.UTF-8): Wine takes
# its ANSI code page from it.
set -euo pipefail

prefix=${1:-${WINEPREFIX:?give the prefix as the argument or in WINEPREFIX}}
mkdir -p "$(dirname "$prefix")"
prefix=$(cd "$(dirname "$prefix")" && pwd)/$(basename "$prefix")
source "$(dirname "$0")/wine-arch.sh"
tovika_use_wine "${WINEARCH:-win32}"
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all}
export LANG=${LANG:-ja_JP.UTF-8} LC_ALL=${LC_ALL:-ja_JP.UTF-8}
# No Mono or Gecko installers during the boot.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

marker=$prefix/.tovika-fonts
[ -f "$marker" ] && exit 0

if [ ! -f "$prefix/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
fi

# The family names as fontconfig knows them.
proportional=IPAPGothic
fixed=IPAGothic
if ! fc-list : family | grep -q "$proportional"; then
  echo "wine-prefix.sh: the IPA Gothic fonts are missing (package fonts-ipafont-gothic)" >&2
  exit 1
fi

# A version-5 registry file is UTF-16, so the Japanese value names survive whatever the code
# page of the prefix.
reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  for name in 'ＭＳ Ｐゴシック' 'MS PGothic' 'ＭＳ ＵＩ ゴシック' 'MS UI Gothic'; do
    printf '"%s"="%s"\r\n' "$name" "$proportional"
  done
  for name in 'ＭＳ ゴシック' 'MS Gothic'; do
    printf '"%s"="%s"\r\n' "$name" "$fixed"
  done
  printf '"Courier New"="DejaVu Sans Mono"\r\n'
  printf '\r\n'
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"

wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
wineserver -w
touch "$marker"
