#!/usr/bin/env bash
# A comctl32.dll older than 4.72, or one without version information: the program says that
# it cannot start, under its default title, and ends with status 0 without a window. The
# version test comes before the single-instance test and leaves the mutex alone: while the
# refusal is still on screen, a start with the system's library runs as the first instance.
# The stand-in library lies beside the program, where the version query finds it first on
# Windows. Wine looks there only when the library is to be loaded native first (else it reads
# its own system32 copy, version 5.81), hence the override for the refused start.
source "$(dirname "$0")/lib.sh"
e2e_begin old_comctl32

too_old="COMCTL32.DLLがインストールされていないか、バージョン4.72より古いため起動出来ません"
windows=0  # main windows of other starts

for variant in v4_71 no-version; do
  cp "$E2E_BUILD_DIR/e2e/comctl32-$variant/comctl32.dll" "$E2E_APP/"
  e2e_start WINEDLLOVERRIDES="comctl32=n,b;mscoree,mshtml="
  refused=$E2E_PID
  d=$(drv dialog)
  expect_value title Tovika-sim "$d"
  expect_value text "$too_old" "$d"
  expect_value buttons OK "$d"
  expect_value windows $windows "$(drv count)"
  shot "$variant"
  rm "$E2E_APP/comctl32.dll"

  if [ "$variant" = v4_71 ]; then
    e2e_start
    normal=$E2E_PID
    windows=1
    drv wait-window >/dev/null
    c=$(drv count)
    expect_value windows 1 "$c"
    expect_value dialogs 1 "$c"
    expect_value text "$too_old" "$(drv dialog)"
  fi

  drv answer OK >/dev/null
  expect_exit "$refused" 0 "exit status with comctl32.dll $variant"
done

drv no-dialog >/dev/null
drv close
expect_exit "$normal" 0 "exit status of the normal start"
