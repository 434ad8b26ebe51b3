#!/usr/bin/env bash
# Runs a Windows executable under Wine in a throwaway prefix and exits with
# the program's exit code; the windows preset's CMAKE_CROSSCOMPILING_EMULATOR.
# A program with windows needs the caller's X display (DISPLAY); a console
# program runs without one.
#
#   tools/windows/wine-run.sh [--timeout SECONDS] PROGRAM.exe [ARGS...]
#
# Wine passes exit codes on modulo 256, so a crash (0xC0000005) comes back as
# 5. 124 means the program was still running when the timeout (default 300 s)
# ended it.
set -euo pipefail

usage() {
  echo "usage: $0 [--timeout SECONDS] PROGRAM.exe [ARGS...]" >&2
  exit 2
}

timeout_seconds=300
while (($# > 0)); do
  case $1 in
    --timeout)
      [[ ${2:-} =~ ^[1-9][0-9]*$ ]] || usage
      timeout_seconds=$2
      shift 2
      ;;
    --) shift; break ;;
    -*) usage ;;
    *) break ;;
  esac
done
(($# >= 1)) || usage
program=$1
shift
[[ -f $program ]] || { echo "error: no such program: $program" >&2; exit 2; }

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/skyvane-wine.XXXXXX")
export WINEPREFIX
export WINEDEBUG=-all
# Wine turns file names into Windows' UTF-16 through the locale's character set: in the C or
# POSIX locale (no LANG, as in cron or a bare login) a folder name that is not ASCII cannot be
# opened. Debian always has C.UTF-8.
if [[ $(locale charmap 2>/dev/null) != UTF-8 ]]; then
  export LC_ALL=C.UTF-8
fi
# No Mono/Gecko install prompts (nothing here needs .NET or an HTML engine),
# and no menu entries or file associations written into $HOME.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

cleanup() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

# Creates the prefix too (its chatter is shown only if that fails). A crash
# must end the process, not open a dialog that nobody will click.
if ! setup_output=$(wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f 2>&1); then
  echo "error: could not set up the Wine prefix:" >&2
  echo "$setup_output" >&2
  exit 1
fi

status=0
timeout --kill-after=10 "$timeout_seconds" wine "$program" "$@" || status=$?
exit "$status"
