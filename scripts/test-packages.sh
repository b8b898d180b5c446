#!/usr/bin/env bash
# Builds the two release packages with their documented commands and checks what a user gets:
#   the zip: one folder TOVIKA with exactly the programs and texts; README.TXT, LICENSE.TXT
#            and sim-firmware.ini in Shift-JIS (code page 932) with CRLF line ends, the
#            guide decoding to its source; README-EN.TXT, the English guide, in ASCII with
#            CRLF line ends, its source byte for byte; the window programs' version resource;
#   the deb: /usr/bin/tovika, the manual page (rendered by man without a warning), the guides,
#            the licence and the changelog of this version; computed dependencies; lintian
#            finds no error but the placeholder mail address of the maintainer; unpacked into
#            a scratch root, the program prints its version and shows a simulated notebook;
#   both:    the version in the file names is the one the programs print;
#   the guides: every text they quote (in 「」, in English in "") is the program's own, byte
#            for byte.
# The end-to-end test e2e_release_zip starts TOVIKA-SIM.exe and TOVIKAC.exe from the unpacked
# zip under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
src=$(pwd)

fail=0
bad() { echo "FAIL: $*" >&2; fail=1; }
check_eq() { [ "$2" = "$3" ] || bad "$1: expected '$2', got '$3'"; }

echo "== the guides quote the program's own texts"
# The program's texts: the sources of every layer of the window program and of the command
# line, with adjacent string literals joined as the compiler joins them.
# A quote is 「…」 in README.TXT and "..." in README-EN.TXT. In a quote, "…" (README-EN.TXT:
# "..."), @TOVIKA_VERSION@ and a path such as C:\TOVIKA\cmos.dat stand for the parts that the
# program fills in; every piece between them must be in the sources.
sources=$(find app settings reports actions hw sys ui cli -name '*.cpp' -o -name '*.h')
for guide in README.TXT README-EN.TXT; do
  # shellcheck disable=SC2086
  if ! perl -CSD -e '
    use strict; use warnings; use utf8;
    local $/;
    my $english = $ARGV[0] =~ /-EN\.TXT\.in$/;
    my $corpus = "";
    for my $f (@ARGV[1..$#ARGV]) { open my $h, "<:encoding(UTF-8)", $f or die "$f: $!"; $corpus .= <$h>; }
    $corpus =~ s/"\s*\n\s*"//g;
    open my $g, "<:encoding(UTF-8)", $ARGV[0] or die; my $guide = <$g>;
    my $quoted = $english ? qr/"([^"\n]*)"/ : qr/「(.*?)」/;
    my $filled = $english ? qr/\.\.\.|\@TOVIKA_VERSION\@|[A-Za-z]:\\[^\s"]*/
                          : qr/…|\@TOVIKA_VERSION\@|[A-Za-z]:\\[^\s」]*/;
    my ($quotes, $missing) = (0, 0);
    while ($guide =~ /$quoted/g) {
      my $quote = $1;
      ++$quotes;
      for my $piece (split $filled, $quote) {
        next if $piece eq "" || index($corpus, $piece) >= 0;
        print STDERR "not a text of the program: [$piece] (in [$quote])\n"; ++$missing;
      }
    }
    die "no quotes found\n" unless $quotes;
    print "$ARGV[0]: $quotes quotes checked\n";
    exit($missing ? 1 : 0);
  ' "packaging/$guide.in" $sources; then
    bad "$guide quotes texts that the program does not have"
  fi
done
# The English guide is plain ASCII, as a Western system shows it.
if LC_ALL=C grep -n '[^ -~]' packaging/README-EN.TXT.in; then bad "README-EN.TXT holds characters beyond ASCII"; fi

echo "== building the packages"
# Packages of an earlier version would stand beside the new ones.
rm -f build/win32/packages/TOVIKA-*-win32.zip build/release/packages/tovika_*.deb
cmake --workflow --preset deb
cmake --workflow --preset zip

shopt -s nullglob
zips=(build/win32/packages/TOVIKA-*-win32.zip)
debs=(build/release/packages/tovika_*.deb)
[ ${#zips[@]} = 1 ] || { echo "FAIL: expected one zip, found: ${zips[*]}" >&2; exit 1; }
[ ${#debs[@]} = 1 ] || { echo "FAIL: expected one deb, found: ${debs[*]}" >&2; exit 1; }
zip=${zips[0]} deb=${debs[0]}
version=$(basename "$zip"); version=${version#TOVIKA-}; version=${version%-win32.zip}
echo "version from the zip's name: $version"
check_eq "deb file name" "tovika_${version}_$(dpkg --print-architecture).deb" "$(basename "$deb")"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

echo "== $zip"
listing=$(cmake -E tar tf "$zip" | sed 's,/$,,' | sort)
expected=$(printf '%s\n' TOVIKA TOVIKA/LICENSE.TXT TOVIKA/README-EN.TXT TOVIKA/README.TXT TOVIKA/TOVIKA-SIM.exe \
                         TOVIKA/TOVIKA.exe TOVIKA/TOVIKAC.exe TOVIKA/sim-firmware.ini | sort)
# Directory entries are optional in a zip: compare without the folder itself.
check_eq "zip contents" "$(grep -vx TOVIKA <<<"$expected")" "$(grep -vx TOVIKA <<<"$listing")"
mkdir "$scratch/zip"
(cd "$scratch/zip" && cmake -E tar xf "$src/$zip")
for text in README.TXT README-EN.TXT LICENSE.TXT sim-firmware.ini; do
  f=$scratch/zip/TOVIKA/$text
  [ -f "$f" ] || continue
  iconv -f CP932 -t UTF-8 "$f" >/dev/null 2>&1 || bad "$text does not decode as code page 932"
  perl -0777 -ne 'exit((/(?<!\r)\n/ || /\r(?!\n)/ || !/\r\n\z/) ? 1 : 0)' "$f" ||
    bad "$text: a line end that is not CRLF"
done
if [ -f "$scratch/zip/TOVIKA/README.TXT" ]; then
  check_eq "README.TXT decoded" \
    "$(sed "s/@TOVIKA_VERSION@/$version/g" packaging/README.TXT.in | md5sum)" \
    "$(iconv -f CP932 -t UTF-8 "$scratch/zip/TOVIKA/README.TXT" | sed 's/\r$//' | md5sum)"
fi
if [ -f "$scratch/zip/TOVIKA/README-EN.TXT" ]; then
  check_eq "README-EN.TXT" \
    "$(sed "s/@TOVIKA_VERSION@/$version/g" packaging/README-EN.TXT.in | md5sum)" \
    "$(sed 's/\r$//' "$scratch/zip/TOVIKA/README-EN.TXT" | md5sum)"
fi
# The version resource of each window program, read back by windres: the fixed file
# version and the FileVersion text that the version label shows.
for exe in TOVIKA.exe TOVIKA-SIM.exe; do
  f=$scratch/zip/TOVIKA/$exe
  [ -f "$f" ] || continue
  rc=$(i686-w64-mingw32-windres -i "$f" -O rc 2>&1) || bad "$exe: no resources: $rc"
  check_eq "$exe FileVersion" "$version" "$(sed -n 's/.*VALUE "FileVersion", "\(.*\)".*/\1/p' <<<"$rc")"
  check_eq "$exe FILEVERSION" "${version//./, }" "$(sed -n 's/^ *FILEVERSION //p' <<<"$rc")"
done

echo "== $deb"
check_eq "Package" tovika "$(dpkg-deb -f "$deb" Package)"
check_eq "Version" "$version" "$(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
[[ $depends == *"libc6 (>="* ]] || bad "Depends not computed from the program: '$depends'"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
check_eq "deb contents" "$(printf '%s\n' ./usr/bin/tovika ./usr/share/doc/tovika/README.TXT ./usr/share/doc/tovika/README-EN.TXT \
  ./usr/share/doc/tovika/changelog.gz ./usr/share/doc/tovika/copyright \
  ./usr/share/man/man1/tovika.1.gz | sort)" "$files"
dpkg -x "$deb" "$scratch/root"
changelog=$scratch/root/usr/share/doc/tovika/changelog.gz
if [ -f "$changelog" ]; then
  check_eq "changelog's version" "tovika ($version) unstable; urgency=medium" "$(zcat "$changelog" | head -1)"
fi
# lintian: no error but the one the project keeps until it has a mail address, the
# placeholder of the Maintainer field (also in the changelog's trailer line).
if ! command -v lintian >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends lintian >/dev/null
fi
maintainer=$(dpkg-deb -f "$deb" Maintainer)
address=${maintainer##*<}; address=${address%>}
lintian_out=$(lintian "$deb" 2>/dev/null) || true
echo "$lintian_out"
errors=$(grep '^E: ' <<<"$lintian_out" |
         grep -Ev "^E: tovika: bogus-mail-host(-in-debian-changelog)? (Maintainer )?$address( |$)" || true)
[ -z "$errors" ] || bad "lintian finds errors: $errors"
man=$scratch/root/usr/share/man/man1/tovika.1.gz
if [ -f "$man" ]; then
  page=$(MANWIDTH=80 man -l --warnings "$man" 2>"$scratch/man.err") || bad "man -l failed"
  [ ! -s "$scratch/man.err" ] || bad "man -l warns: $(cat "$scratch/man.err")"
  for section in NAME SYNOPSIS DESCRIPTION COMMANDS OPTIONS FILES "EXIT STATUS" EXAMPLES; do
    grep -qx "$section" <<<"$page" || bad "manual page without the section $section"
  done
  [[ $page == *"tovika $version"* ]] || bad "manual page without the version $version"
fi
cmp -s LICENSE "$scratch/root/usr/share/doc/tovika/copyright" || bad "copyright is not LICENSE"
tovika=$scratch/root/usr/bin/tovika
if [ -x "$tovika" ]; then
  check_eq "tovika --version" "tovika $version" "$("$tovika" --version)"
  mkdir "$scratch/sim"
  out=$("$tovika" --sim "$scratch/sim" show) || bad "tovika --sim DIR show: exit status $?"
  [ -n "$out" ] || bad "tovika --sim DIR show printed nothing"
  check_eq "sim-cmos.dat made by show" 128 "$(stat -c %s "$scratch/sim/sim-cmos.dat" 2>/dev/null || echo 0)"
fi

[ $fail = 0 ] || { echo "package checks failed" >&2; exit 1; }
echo "package checks passed: $(basename "$zip"), $(basename "$deb")"
