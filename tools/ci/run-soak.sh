#!/usr/bin/env bash
# The long soak: N runs in a row (default 1,000) of the headless bot with pointer noise, in the
# ASan+UBSan build. Fails on any sanitizer report, any leak, or live engine objects that a run or
# the Director's end leaves behind.
#   tools/ci/run-soak.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/ci/common.sh

runs="${1:-1000}"
case "$runs" in
  '' | *[!0-9]* | 0)
    echo "run-soak.sh: the number of runs must be a whole number above 0, not '$runs'" >&2
    exit 2
    ;;
esac

build asan
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

echo "== soak: $runs runs"
start=$(date +%s)
status=0
# No display: the soak needs none, and must not open one.
DISPLAY= WAYLAND_DISPLAY= build/asan/bin/skyvane_soak --runs "$runs" || status=$?
echo "== soak took $(($(date +%s) - start)) s"
if [ "$status" -ne 0 ]; then
  echo "soak FAILED (exit status $status)" >&2
fi
exit "$status"
