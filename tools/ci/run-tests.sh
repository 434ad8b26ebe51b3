#!/usr/bin/env bash
# The whole test run: a plain build and an ASan+UBSan build, each through ctest, with window
# tests on a private Xvfb; then a short fuzzing run of image and font loading; then the Windows
# package, cross-built and played under Wine there.
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/ci/common.sh

start_xvfb
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tools/ci/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Mesa's software renderer: the tests must not depend on a GPU.
export LIBGL_ALWAYS_SOFTWARE=1

status=0
tools/ci/check-format.sh || status=1
for variant in release asan; do
  echo "== $variant build"
  build "$variant"
  echo "== $variant tests"
  ctest --test-dir "build/$variant" --output-on-failure -j 2 || status=1
done
echo "== fuzzing image and font loading"
tools/ci/run-fuzz.sh || status=1
echo "== Windows build under Wine"
tools/windows/wine-test.sh || status=1
exit "$status"
