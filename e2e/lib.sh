# Shared by the end-to-end tests: a fresh Wine prefix per test (copied from one booted
# template), a private Xvfb server, TOVIKA-SIM.exe and the driver inside the prefix, and the
# checks. Source it from a test script; see e2e/README.md.
#
# Environment (set by CTest, see e2e/CMakeLists.txt):
#   E2E_SOURCE_DIR  the source tree
#   E2E_BUILD_DIR   the build folder that holds TOVIKA-SIM.exe and the driver
#   E2E_ARCH        win32 (the i686 build, in 32-bit prefixes) or win64 (the x86-64 build,
#                   in 64-bit prefixes under the 64-bit loader)

set -euo pipefail

E2E_SOURCE_DIR=${E2E_SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
E2E_BUILD_DIR=${E2E_BUILD_DIR:-$E2E_SOURCE_DIR/build/win32}
E2E_WORK=$E2E_BUILD_DIR/e2e-work
E2E_SCREENS=$E2E_BUILD_DIR/e2e-screens
E2E_TEMPLATE=$E2E_WORK/template-prefix

E2E_ARCH=${E2E_ARCH:-win32}
# How many times longer every wait may be (set by CTest; more than 1 under a PC emulator).
E2E_TIME_FACTOR=${E2E_TIME_FACTOR:-1}
source "$E2E_SOURCE_DIR/scripts/wine-arch.sh"
tovika_use_wine "$E2E_ARCH"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all
# No "install Mono / Gecko" questions when a prefix boots.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Windows paths of the program under test and of the driver inside every prefix.
E2E_EXE_WIN='C:\tovika\TOVIKA-SIM.exe'
E2E_DRIVER_WIN='C:\e2e\tovika-e2e-driver.exe'

E2E_PIDS=()   # the program instances this test started
E2E_IMMUTABLE=()  # what `immutable` made so, undone when the test ends
E2E_PID=      # the last one
E2E_XVFB=

e2e_log() { printf '%s\n' "$*" >&2; }

e2e_fail() {
  e2e_log "FAIL: $*"
  exit 1
}

# e2e_needs_i686 <reason>: ends the test as skipped (status 77) in the win64 run, for what only
# the 32-bit build can show; the reason says why. Call it before e2e_begin.
e2e_needs_i686() {
  if [ "$E2E_ARCH" != win32 ]; then
    e2e_log "SKIPPED on the $E2E_ARCH build: $*"
    exit 77
  fi
}

# ---- the template prefix -------------------------------------------------------------------

# Boots the template prefix once; later calls (also from tests running in parallel) find it
# ready. scripts/wine-prefix.sh sets up the Japanese font mapping when it is there.
e2e_template() {
  mkdir -p "$E2E_WORK"
  (
    flock 9
    local stamp=$E2E_TEMPLATE/.tovika-e2e-ready
    local setup=$E2E_SOURCE_DIR/scripts/wine-prefix.sh
    if [ -f "$stamp" ] && { [ ! -f "$setup" ] || [ "$stamp" -nt "$setup" ]; }; then exit 0; fi
    e2e_log "booting the template Wine prefix $E2E_TEMPLATE"
    rm -rf "$E2E_TEMPLATE"
    export WINEPREFIX=$E2E_TEMPLATE
    if [ -f "$setup" ]; then
      bash "$setup" "$E2E_TEMPLATE" >"$E2E_WORK/template.log" 2>&1
    else
      wineboot -i >"$E2E_WORK/template.log" 2>&1
    fi
    wineserver -w
    touch "$stamp"
  ) 9>"$E2E_WORK/template.lock"
}

# ---- Xvfb --------------------------------------------------------------------------------

# Starts a private Xvfb on the first free display from :90 to :99 and waits until it answers.
# No lock of our own: the server claims its display itself, and a display counts as ours
# only when the server that answers there is the one we started.
e2e_xvfb() {
  local n pid i
  for n in $(seq 90 99); do
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$E2E_DIR/xvfb.log" 2>&1 &
    pid=$!
    for i in $(seq 100); do
      kill -0 "$pid" 2>/dev/null || break
      if xdpyinfo -display ":$n" >/dev/null 2>&1 &&
         [ "$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null)" = "$pid" ]; then
        E2E_XVFB=$pid
        export DISPLAY=:$n
        return 0
      fi
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  e2e_fail "no free X display from :90 to :99"
}

# ---- one test ----------------------------------------------------------------------------

# e2e_begin <name>: a fresh prefix with the program and the driver, a display, and the
# cleanup on exit. The program's folder is $E2E_APP (C:\tovika in the prefix).
e2e_begin() {
  E2E_TEST=$1
  E2E_DIR=$E2E_WORK/$E2E_TEST
  local exe=$E2E_BUILD_DIR/TOVIKA-SIM.exe driver=$E2E_BUILD_DIR/e2e/tovika-e2e-driver.exe
  [ -f "$exe" ] && [ -f "$driver" ] ||
    e2e_fail "build first: cmake --build --preset win32 (missing $exe or $driver)"
  # What an earlier run of this test left running, if it was killed.
  [ -d "$E2E_DIR/prefix" ] && WINEPREFIX=$E2E_DIR/prefix wineserver -k 2>/dev/null || true
  rm -rf "$E2E_DIR" 2>/dev/null || { chattr -R -i "$E2E_DIR" 2>/dev/null; rm -rf "$E2E_DIR"; }
  mkdir -p "$E2E_DIR" "$E2E_SCREENS"
  e2e_template
  cp -a "$E2E_TEMPLATE" "$E2E_DIR/prefix"
  export WINEPREFIX=$E2E_DIR/prefix
  E2E_APP=$WINEPREFIX/drive_c/tovika
  mkdir -p "$E2E_APP" "$WINEPREFIX/drive_c/e2e"
  cp "$exe" "$E2E_APP/"
  cp "$driver" "$WINEPREFIX/drive_c/e2e/"
  trap e2e_end EXIT
  # The prefix's wineserver stays up until the test ends, as a Windows session stays up
  # between programs. Debian starts it with -p0: it shuts the prefix down the moment the
  # last program ends, and a driver command or a start that came in that moment met a
  # server on its way out.
  wineserver -p
  e2e_xvfb
  e2e_log "== $E2E_TEST on $DISPLAY, prefix $WINEPREFIX"
}

# Stops everything this test started: the prefix's wineserver with its processes, and Xvfb.
# The program's folder is kept beside the logs; the prefix is removed.
e2e_end() {
  local status=$?
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
  fi
  [ -n "$E2E_XVFB" ] && { kill "$E2E_XVFB" 2>/dev/null || true; wait "$E2E_XVFB" 2>/dev/null || true; }
  [ ${#E2E_IMMUTABLE[@]} = 0 ] || chattr -i "${E2E_IMMUTABLE[@]}" 2>/dev/null || true
  if [ -n "${E2E_APP:-}" ] && [ -d "$E2E_APP" ]; then
    rm -rf "$E2E_DIR/app"
    cp -a "$E2E_APP" "$E2E_DIR/app"
    rm -rf "$WINEPREFIX"
  fi
  if [ "$status" = 0 ]; then e2e_log "PASS: $E2E_TEST"; else e2e_log "logs: $E2E_DIR"; fi
  exit "$status"
}

# e2e_english: the rest of the test runs as on a Western system: LANG=en_US.UTF-8 with LC_ALL
# unset gives Wine's ANSI code page 1252 and the UI language 0409. Call it after sourcing.
e2e_english() {
  export LANG=en_US.UTF-8
  unset LC_ALL
}

# e2e_start [NAME=value ...] [-- ARGUMENT...]: starts TOVIKA-SIM.exe in the background, with
# those variables in its environment and those arguments; its pid is $E2E_PID.
e2e_start() {
  local n=${#E2E_PIDS[@]} vars=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do vars+=("$1"); shift; done
  [ "${1:-}" = -- ] && shift
  (cd "$E2E_APP" && exec env "${vars[@]}" wine "$E2E_EXE_WIN" "$@") >"$E2E_DIR/program-$n.log" 2>&1 &
  E2E_PID=$!
  E2E_PIDS+=("$E2E_PID")
}

# expect_exit <pid> <status> [what]: waits until that instance has ended (up to 30 s) and
# checks its exit status. (Not in a $(...): only this shell can wait for its children.)
expect_exit() {
  local pid=$1 i status=0
  for i in $(seq $((300 * E2E_TIME_FACTOR))); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && e2e_fail "${3:-instance $pid} is still running"
  wait "$pid" || status=$?
  expect_eq "${3:-exit status}" "$2" "$status"
}

e2e_running() { kill -0 "$1" 2>/dev/null; }

# drv <command> [arguments]: runs the driver; prints its output in UTF-8 (the driver speaks
# Shift-JIS, or UTF-8 itself after --utf8) and fails the test when the command fails.
# `drv_try` returns the status instead.
# Wine's own error channel is on for the driver: a driver that ends without a message of its
# own (a crash, a start that Wine refused) then leaves Wine's reason in $E2E_DRV_WINE.
E2E_DRV_STATUS=0 E2E_DRV_WINE=
drv_try() {
  local out err status=0 outfile errfile what="$*" decode=(iconv -f CP932 -t UTF-8)
  case " $* " in *" --utf8 "*) decode=(cat) ;; esac
  outfile=$(mktemp "$E2E_DIR/driver-out.XXXXXX")
  errfile=$(mktemp "$E2E_DIR/driver-err.XXXXXX")
  # The driver's waits (-t, 20 s by default) scaled by the time factor.
  if [ "$E2E_TIME_FACTOR" != 1 ]; then
    if [ "${1:-}" = -t ]; then set -- -t $(($2 * E2E_TIME_FACTOR)) "${@:3}"; else set -- -t $((20000 * E2E_TIME_FACTOR)) "$@"; fi
  fi
  # Files, not a pipe: a program that the driver starts keeps its output handle open.
  (cd "$WINEPREFIX/drive_c" && WINEDEBUG=-all,err+all exec wine "$E2E_DRIVER_WIN" "$@") >"$outfile" 2>"$errfile" ||
    status=$?
  out=$("${decode[@]}" <"$outfile" | tr -d '\r')
  # Wine's lines ("0024:err:...", "err:virtual:...", "wine: ...") apart from the driver's own.
  local wine_line='^(([0-9a-f]{4}:)?(err|fixme|warn|trace):|wine)'
  E2E_DRV_WINE=$(grep -aE "$wine_line" "$errfile" | tr -d '\r' || true)
  err=$(grep -avE "$wine_line" "$errfile" | "${decode[@]}" | tr -d '\r' || true)
  E2E_DRV_STATUS=$status
  rm -f "$outfile" "$errfile"
  { printf '$ driver %s\n' "$what"; [ -n "$out" ] && printf '%s\n' "$out"; [ -n "$err" ] && printf '! %s\n' "$err"
    [ -n "$E2E_DRV_WINE" ] && printf '%s\n' "$E2E_DRV_WINE" | sed 's/^/! wine: /'
    [ "$status" = 0 ] || printf '! exit status %s\n' "$status"; } >>"$E2E_DIR/driver.log"
  [ -n "$err" ] && e2e_log "driver $what: $err"
  [ -z "$out" ] || printf '%s\n' "$out"
  return "$status"
}

drv() {
  drv_try "$@" && return 0
  [ -z "$E2E_DRV_WINE" ] || e2e_log "$(printf '%s\n' "$E2E_DRV_WINE" | tail -n 20 | sed 's/^/wine: /')"
  e2e_fail "driver $* (exit status $E2E_DRV_STATUS)"
}

# value <key> <output>: the value of the first key=value line.
value() { printf '%s\n' "$2" | sed -n "s/^$1=//p" | head -n 1; }

# expect_eq <what> <expected> <actual>
expect_eq() {
  [ "$2" = "$3" ] || e2e_fail "$1: expected [$2], got [$3]"
  e2e_log "ok: $1 = $3"
}

# expect_value <key> <expected> <driver output>
expect_value() { expect_eq "$1" "$2" "$(value "$1" "$3")"; }

# expect_contains <what> <needle> <haystack>
expect_contains() {
  case "$3" in *"$2"*) e2e_log "ok: $1 contains [$2]" ;; *) e2e_fail "$1: [$2] not in [$3]" ;; esac
}

# expect_one_dialog <text>: exactly one message is open, under the application title, with
# that text and the single OK; it is answered.
expect_one_dialog() {
  local d
  d=$(drv dialog)
  expect_value dialogs 1 "$(drv count)"
  expect_value title TOVIKA "$d"
  expect_value text "$1" "$d"
  expect_value buttons OK "$d"
  drv answer OK >/dev/null
}

# shot <name>: a screenshot of the whole screen into build/win32/e2e-screens/<test>-<name>.png.
shot() {
  local file=$E2E_SCREENS/$E2E_TEST-$1.png
  import -display "$DISPLAY" -window root "$file"
  e2e_log "screenshot $file"
}

# e2e_unmanaged: Wine draws the window frames itself instead of leaving them to a window
# manager. Xvfb has none, and after hiding a managed window (a dialog that closes, the main
# window at the end) Wine waits 2 s for the manager's answer. Call it before the first start.
e2e_unmanaged() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 ||
    e2e_fail "cannot set the X11 driver's Managed=N"
}

# immutable <path>...: files or folders that refuse every change (chattr +i), which Wine
# refuses as Windows refuses a read-only file or folder (root writes through a chmod 444).
# `mutable` lifts it; the end of the test lifts it from whatever is left.
immutable() {
  chattr +i "$@"
  E2E_IMMUTABLE+=("$@")
}
mutable() { chattr -i "$@"; }

# hold <windows path>: another program of the prefix opens the file without sharing, until
# `release`.
hold() {
  (cd "$WINEPREFIX/drive_c" && exec wine "$E2E_DRIVER_WIN" -t 60000 hold "$1") >"$E2E_DIR/hold.out" 2>&1 &
  holder=$!
  for _ in $(seq 100); do
    grep -q '^held=' "$E2E_DIR/hold.out" && return 0
    e2e_running "$holder" || break
    sleep 0.1
  done
  e2e_fail "cannot hold $1: $(cat "$E2E_DIR/hold.out")"
}
release() {
  drv release >/dev/null
  wait "$holder" || e2e_fail "driver hold: $(cat "$E2E_DIR/hold.out")"
}

# The real TOVIKA.exe's messages about its port instructions: the missing grant, and a refused
# instruction (`refused <what>`), the first of which is the CMOS index output.
giveio="I/O ポートにアクセスできません. Windows NT/2000 以降では giveio ドライバが必要です. giveio をインストールしてから起動してください."
refused() { printf '特権命令の例外: %s が拒否されました. I/O ポートへのアクセスが許可されていません.' "$1"; }
cmos_refused=$(refused "ポート 70h への出力")

# tovikac <args>...: runs TOVIKAC.exe (which the test copies into $E2E_APP) in the program's
# folder; its output, turned from code page 932 into UTF-8, goes to $E2E_DIR/out (raw bytes in
# out.raw), stderr to err; returns its status. `status_of` prints the status instead.
tovikac() {
  local status=0
  (cd "$E2E_APP" && wine 'C:\tovika\TOVIKAC.exe' "$@") >"$E2E_DIR/out.raw" 2>"$E2E_DIR/err.raw" || status=$?
  iconv -f CP932 -t UTF-8 <"$E2E_DIR/out.raw" | tr -d '\r' >"$E2E_DIR/out"
  iconv -f CP932 -t UTF-8 <"$E2E_DIR/err.raw" | tr -d '\r' >"$E2E_DIR/err"
  { printf '$ TOVIKAC %s -> %s\n' "$*" "$status"; cat "$E2E_DIR/out" "$E2E_DIR/err"; } >>"$E2E_DIR/cli.log"
  return "$status"
}
status_of() { local s=0; tovikac "$@" || s=$?; printf '%s' "$s"; }

# What the window says when the firmware does not answer before 更新 or ハイバネ領域作成.
firmware_silent="ファームウェアが応答しません. 対応するノートPC ではないため、何も書き込みませんでした."

# The simulated notebook's files in the program's folder.
sim_cmos() { printf '%s' "$E2E_APP/sim-cmos.dat"; }
sim_ini() { printf '%s' "$E2E_APP/sim-firmware.ini"; }
