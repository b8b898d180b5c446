# Which of the Windows builds this machine can run, and Wine set up for it. Sourced by the
# scripts and by the end-to-end tests.
#
#   tovika_runs_i686        true when this machine executes 32-bit x86 programs: Wine's
#                           32-bit loader starts. Some x86-64 kernels run no 32-bit code at
#                           all (IA-32 emulation switched off); there it fails with "Exec
#                           format error".
#   tovika_windows_build    prints the build to run: win32 (the released i686 executables) or
#                           win64 (the same sources for x86-64, run under 64-bit Wine).
#                           TOVIKA_E2E=win32 or win64 forces one; otherwise the machine decides.
#                           (TOVIKA_E2E=guest: win64 here, the i686 tests go to the guest.)
#   tovika_guest_suite      prints how much of the i686 end-to-end suite runs in the PC guest
#                           (scripts/guest): "subset" (label guest) by default where this machine
#                           executes no 32-bit code, "all" with TOVIKA_E2E=guest, "none" where
#                           the i686 suite runs natively or TOVIKA_E2E=win32/win64 is forced.
#   tovika_time_factor      prints how many times longer the i686 tests may wait: 1 where they
#                           run natively, 8 in the guest under QEMU without KVM (5-20x slower).
#   tovika_use_wine BUILD   exports WINEARCH for that build; for win64 it also puts
#                           scripts/wine64 first in PATH, so that `wine`, `wineboot`,
#                           `winecfg`, `winepath` and `regedit` use the 64-bit loader.

tovika_runs_i686() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

tovika_windows_build() {
  case ${TOVIKA_E2E:-} in
    win32 | win64) printf '%s\n' "$TOVIKA_E2E" ;;
    guest) echo win64 ;;
    "") if tovika_runs_i686; then echo win32; else echo win64; fi ;;
    *) echo "TOVIKA_E2E must be win32, win64 or guest, not '$TOVIKA_E2E'" >&2; return 2 ;;
  esac
}

tovika_guest_suite() {
  case ${TOVIKA_E2E:-} in
    guest) echo all ;;
    "") if tovika_runs_i686; then echo none; else echo subset; fi ;;
    *) echo none ;;
  esac
}

tovika_time_factor() {
  if tovika_runs_i686; then echo 1; else echo 8; fi
}

tovika_use_wine() {
  export WINEARCH=$1
  if [ "$1" = win64 ]; then
    local wrappers
    wrappers=$(cd "$(dirname "${BASH_SOURCE[0]}")/wine64" && pwd)
    case ":$PATH:" in *":$wrappers:"*) ;; *) export PATH=$wrappers:$PATH ;; esac
    export WINELOADER=/usr/lib/wine/wine64
  fi
}

# One line for the logs: which executables a run uses, and why.
tovika_build_reason() {
  if [ "${TOVIKA_E2E:-}" = guest ]; then
    echo "TOVIKA_E2E=guest: the whole i686 suite in the PC guest"
  elif [ -n "${TOVIKA_E2E:-}" ]; then
    echo "TOVIKA_E2E=$TOVIKA_E2E"
  elif tovika_runs_i686; then
    echo "this machine executes 32-bit x86 code"
  else
    echo "this machine executes no 32-bit x86 code"
  fi
}
