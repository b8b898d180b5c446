#!/usr/bin/env bash
# Every function that the Windows executables import is on e2e/imports-allowed.txt, the list
# of what every Windows 95 and NT 4.0 exports; a program that imported anything else would
# not load there. No C runtime DLL but CRTDLL: MSVCRT.DLL is missing from the first Windows 95.
#   check_imports.sh OBJDUMP EXE...
set -euo pipefail
objdump=$1
shift
allowed=$(grep -v '^#' "$(dirname "$0")/imports-allowed.txt")
status=0
for exe in "$@"; do
  imports=$("$objdump" -p "$exe" | awk '/DLL Name:/ {dll = toupper($3); next}
    dll != "" && NF == 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ {print dll " " $3}' | sort -u)
  [ -n "$imports" ] || { echo "FAIL: no imports read from $exe"; status=1; continue; }
  if printf '%s\n' "$imports" | grep -q '^MSVCRT'; then
    echo "FAIL: $(basename "$exe") imports from $(printf '%s\n' "$imports" | grep -o '^MSVCRT[^ ]*' | sort -u | tr '\n' ' ')(missing from the first Windows 95)"
    status=1
  fi
  extra=$(comm -23 <(printf '%s\n' "$imports") <(printf '%s\n' "$allowed" | sort -u))
  if [ -n "$extra" ]; then
    echo "FAIL: $(basename "$exe") imports what is not known to be on Windows 95 and NT 4.0:"
    printf '%s\n' "$extra" | sed 's/^/  /'
    status=1
  else
    echo "ok: $(basename "$exe"): $(printf '%s\n' "$imports" | wc -l) imports, all allowed"
  fi
done
exit "$status"
