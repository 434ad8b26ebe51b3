#!/usr/bin/env bash
# The real game on a private Xvfb, played through XTest: the playtest driver plays whole runs
# through "You Lose!" and quits by the close button, then the monkey presses, releases and
# moves at random for 2 minutes and quits the same way. Screenshots land in build/playtest/.
#   tools/ci/run-playtest.sh [runs] [monkey seconds]
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/ci/common.sh

runs="${1:-5}"
seconds="${2:-120}"
build release
start_xvfb build/playtest-xvfb
export LIBGL_ALWAYS_SOFTWARE=1
out=build/playtest
status=0
echo "== playtest: $runs runs"
/usr/bin/python3 -B tools/playtest/playtest.py build/release/bin/skyvane --runs "$runs" --out "$out" \
  --readme-shot "$out/screenshot.png" --artifacts "$out/failures" || status=1
echo "== monkey: $seconds s"
/usr/bin/python3 -B tools/playtest/monkey.py build/release/bin/skyvane --seconds "$seconds" \
  --artifacts "$out/failures" || status=1
exit "$status"
