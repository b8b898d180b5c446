#!/usr/bin/env bash
# The main window as start-up leaves it: class, caption, client size, the tab row, the
# version label; the Debug tab toggled by double-clicks on the free strip; every page on
# a screenshot; closing the window ends the program with status 0.
source "$(dirname "$0")/lib.sh"
e2e_begin window

e2e_start
drv wait-window >/dev/null

w=$(drv window)
expect_value class TfrmMAIN "$w"
expect_value caption TOVIKA "$w"
expect_value client 512x383 "$w"

t=$(drv tabs)
expect_value tabs "情報|システム|ビデオ|省電力" "$t"
expect_value current 情報 "$t"

expect_value text "Prog Version 0.5.0.0" "$(drv state lbProgVer)"
expect_contains "system label" "(Windows Ver." "$(drv text lbSystemInfo)"
# The reports that showing the window writes, the debug one although its tab is hidden.
[ -n "$(drv text Memo2)" ] || e2e_fail "Memo2 is empty after start"
[ -n "$(drv text Memo3)" ] || e2e_fail "Memo3 is empty after start"
shot start

n=1
for page in 情報 システム ビデオ 省電力; do
  drv select-tab "$page" >/dev/null
  shot "page$n"
  n=$((n + 1))
done

# The free strip below the page control, left of the buttons and right of the labels.
drv dblclick 200 370
t=$(drv tabs)
expect_value tabs "情報|システム|ビデオ|省電力|Debug" "$t"
expect_value current 省電力 "$t"
drv select-tab Debug >/dev/null
shot page5

# Hiding the tab of the current page makes the tab now at its place current, or the last.
drv dblclick 200 370
t=$(drv tabs)
expect_value tabs "情報|システム|ビデオ|省電力" "$t"
expect_value current 省電力 "$t"

drv select-tab 情報 >/dev/null
drv dblclick 200 370
t=$(drv tabs)
expect_value tabs "情報|システム|ビデオ|省電力|Debug" "$t"
expect_value current 情報 "$t"

drv close
expect_exit "$E2E_PID" 0 "exit status"
drv wait-gone
