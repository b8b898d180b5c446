#!/usr/bin/env bash
# Every text of the window fits its control, measured under Wine with the window's own fonts
# (e2e/fit_check.cpp): no English text overflows; a Japanese one that does is listed in the
# log and left as the window's own layout has it.
source "$(dirname "$0")/lib.sh"
e2e_begin fit
e2e_english
cp "$E2E_BUILD_DIR/e2e/tovika-fit-check.exe" "$WINEPREFIX/drive_c/e2e/"
status=0
(cd "$WINEPREFIX/drive_c" && wine 'C:\e2e\tovika-fit-check.exe') >"$E2E_DIR/fit.txt" 2>"$E2E_DIR/fit.err" || status=$?
tr -d '\r' <"$E2E_DIR/fit.txt" >&2
grep -q '^english: [0-9]* texts measured, 0 do not fit$' <(tr -d '\r' <"$E2E_DIR/fit.txt") ||
  e2e_fail "English texts overflow (status $status)"
expect_eq "fit check status" 0 "$status"
