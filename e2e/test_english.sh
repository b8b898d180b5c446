#!/usr/bin/env bash
# The window on a Western system (LANG=en_US.UTF-8, LC_ALL unset: Wine's code page 1252 and
# UI language 0409), from a folder with a letter above 7Fh in its name, C:\Café: every page
# in English with no byte of 80h or above in any text, the update, backup and hibernation
# dialogs in English, the simulated notebook beside the program, and 更新 writing the same
# CMOS bytes as the Japanese window for the same choices. Then /lang:en under ja_JP, and on
# the i686 build Windows 98 with code page 1252.
source "$(dirname "$0")/lib.sh"
e2e_begin english
e2e_unmanaged  # no 2 s wait after each dialog and at each close
e2e_english

# The program in C:\Café (the folder's name in 1252 is 43 61 66 E9).
cafe=$WINEPREFIX/drive_c/Café
mkdir -p "$cafe"
mv "$E2E_APP/TOVIKA-SIM.exe" "$cafe/"
rm -rf "$E2E_APP"
E2E_APP=$cafe
E2E_EXE_WIN='C:\Café\TOVIKA-SIM.exe'

# no_high_bytes <what> <text>: plain ASCII.
no_high_bytes() {
  if printf '%s' "$2" | LC_ALL=C grep -q '[^[:print:][:space:]]'; then
    e2e_fail "$1 holds bytes of 80h or above: $(printf '%s' "$2" | LC_ALL=C grep -n '[^[:print:][:space:]]' | head -3)"
  fi
  e2e_log "ok: $1 is plain ASCII"
}

handler_done() { drv wait-window >/dev/null; }

# The choices that both languages make before 更新: a radio group and a drop-down list.
choose_and_update() {
  drv select rgDISPMODE 2 >/dev/null
  drv select cbSTANDBYAC 3 >/dev/null
  drv click btnUPDATE >/dev/null
  drv dialog >/dev/null
  drv answer OK >/dev/null
  handler_done
}

cp_factory() { cp "$(sim_cmos)" "$E2E_DIR/factory.dat"; }

e2e_start
drv wait-window >/dev/null
[ -f "$E2E_APP/sim-cmos.dat" ] || e2e_fail "no sim-cmos.dat in C:\\Café"
[ ! -e "$WINEPREFIX/drive_c/sim-cmos.dat" ] || e2e_fail "sim-cmos.dat at the drive's root"
e2e_log "ok: the simulated notebook lives in C:\\Café"
cp_factory

t=$(drv tabs)
expect_value tabs "Info|System|Video|Power" "$t"
expect_eq "update button" Update "$(value text "$(drv state btnUPDATE)")"
expect_eq "reload button" Reload "$(value text "$(drv state Button2)")"
expect_eq "hard disk label" "Hard Disk Time-out" "$(drv text Label6)"
expect_contains "information report" "* Memory" "$(drv text Memo2)"
expect_contains "debug report" "System password =" "$(drv text Memo3)"

n=1
for page in Info System Video Power; do
  drv select-tab "$page" >/dev/null
  shot "page$n"
  n=$((n + 1))
done
drv dblclick 200 370
drv select-tab Debug >/dev/null
shot page5
# Every page has been shown, so every control is there: read them all through the Unicode
# API, which would show any Japanese text as such.
texts=$(drv --utf8 texts)
no_high_bytes "every text of the window" "$texts"
for caption in "Infrared (IrDA) Port Address" "Battery Discharge" "Power to PC Cards in Suspend" "Display Size"; do
  printf '%s\n' "$texts" | grep -qxF "$caption" || e2e_fail "no control shows [$caption]"
  e2e_log "ok: a control shows [$caption]"
done
drv select-tab Info >/dev/null

# The dialogs.
drv click btnMAKEHIBER >/dev/null
d=$(drv --utf8 dialog)
expect_value text 'c:\hiber.dat will be created.' "$d"
expect_value buttons "OK|Cancel" "$d"
no_high_bytes "the hibernation dialog" "$(drv --utf8 texts)"
shot hibernation-dialog
drv answer Cancel >/dev/null
handler_done

drv click btnCMOSBACKUP >/dev/null
d=$(drv --utf8 dialog)
expect_value text 'The CMOS contents will be saved to C:\Café\cmos.dat.' "$d"
drv answer OK >/dev/null
d=$(drv --utf8 dialog)
expect_value text 'C:\Café\cmos.dat has been created.' "$d"
expect_value buttons OK "$d"
drv answer OK >/dev/null
handler_done
cmp -s "$E2E_APP/cmos.dat" "$E2E_DIR/factory.dat" || e2e_fail "cmos.dat is not the CMOS image"
e2e_log "ok: the backup is in C:\\Café"

drv click btnUPDATE >/dev/null
d=$(drv --utf8 dialog)
expect_value text "The CMOS settings will be updated." "$d"
expect_value buttons "OK|Cancel" "$d"
drv answer Cancel >/dev/null
handler_done
choose_and_update
cp "$(sim_cmos)" "$E2E_DIR/english.dat"
drv close
expect_exit "$E2E_PID" 0 "exit status"
drv wait-gone

# The Japanese window, the same choices, the same bytes. (In C:\tovika: on code page 932 the
# name Café has no spelling, and the program could not reach its own folder.)
mkdir -p "$WINEPREFIX/drive_c/tovika"
cp "$cafe/TOVIKA-SIM.exe" "$WINEPREFIX/drive_c/tovika/"
E2E_APP=$WINEPREFIX/drive_c/tovika
E2E_EXE_WIN='C:\tovika\TOVIKA-SIM.exe'
cp "$E2E_DIR/factory.dat" "$(sim_cmos)"
e2e_start LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
drv wait-window >/dev/null
expect_value tabs "情報|システム|ビデオ|省電力" "$(drv tabs)"
choose_and_update
cmp -s "$(sim_cmos)" "$E2E_DIR/english.dat" || e2e_fail "更新 wrote other bytes in Japanese than in English"
cmp -s "$(sim_cmos)" "$E2E_DIR/factory.dat" && e2e_fail "更新 wrote nothing"
e2e_log "ok: 更新 writes the same bytes in both languages"
drv close
expect_exit "$E2E_PID" 0 "exit status"
drv wait-gone

# /lang:en on a Japanese system: English, through the ANSI API.
e2e_start LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 -- /lang:en
drv wait-window >/dev/null
expect_value tabs "Info|System|Video|Power" "$(drv tabs)"
drv select-tab Power >/dev/null
no_high_bytes "every text of the window under /lang:en" "$(drv --utf8 texts)"
drv close
expect_exit "$E2E_PID" 0 "exit status"
drv wait-gone

# Windows 98 with code page 1252 (the i686 build only: Wine gives the 95/98/Me modes to
# 32-bit programs): no Unicode API for the window there, so a Japanese UI language and even
# /lang:ja get English.
if [ "$E2E_ARCH" = win32 ]; then
  winecfg -v win98
  e2e_start LC_MESSAGES=ja_JP.UTF-8 -- /lang:ja
  drv wait-window >/dev/null
  expect_value tabs "Info|System|Video|Power" "$(drv tabs)"
  expect_contains "system label" "Windows98" "$(drv text lbSystemInfo)"
  drv select-tab Power >/dev/null
  shot win98
  no_high_bytes "every text of the window on Windows 98" "$(drv texts)"
  drv close
  expect_exit "$E2E_PID" 0 "exit status"
  drv wait-gone
fi
