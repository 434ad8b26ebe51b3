#!/usr/bin/env bash
# The whole test run. First the format check, then the builds one after the other, since each
# keeps both cores busy: plain, ASan+UBSan, the fuzzing build and the Windows package. Then the
# checks, which mostly wait on windows and frames, side by side, each part on an X server of
# its own: both builds' ctest (window tests included), a short fuzzing run, and the Windows
# build under Wine.
# Ends with one line per part and a total, counting the GoogleTest cases inside each program;
# a skipped check fails the run, as the display is up.
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/ci/common.sh

export SKYVANE_REQUIRE_DISPLAY=1
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Mesa's software renderer: the tests must not depend on a GPU.
export LIBGL_ALWAYS_SOFTWARE=1
export SKYVANE_MONKEY_SEED="${SKYVANE_MONKEY_SEED:-1}"
fuzz_seconds="${SKYVANE_FUZZ_SECONDS:-10}"

results=build/test-results
rm -rf "$results"
mkdir -p "$results"
tally=$results/tally.jsonl
started=$SECONDS
stages=()

# stage NAME COMMAND...: runs a build step in the foreground and keeps its time.
stage() {
  local name="$1" begun=$SECONDS
  shift
  echo "== $name"
  "$@"
  stages+=("$name: $((SECONDS - begun)) s")
}

echo "monkey seed: $SKYVANE_MONKEY_SEED (SKYVANE_MONKEY_SEED to change); fuzzing: $fuzz_seconds s a target"
echo "== format check"
begun=$SECONDS
format_status=0
tools/ci/check-format.sh >"$results/format.log" 2>&1 || format_status=$?
cat "$results/format.log"
stages+=("format check: $((SECONDS - begun)) s")
/usr/bin/python3 -B tools/ci/tally.py "$tally" add format --log "$results/format.log" --status "$format_status"
stage "release build" build release
stage "asan build" build asan
stage "fuzzing build" tools/ci/run-fuzz.sh --build-only
stage "windows build" tools/windows/package.sh windows_platform_test window_control

# part NAME COMMAND...: runs a part of the checks in the background, its output to a log.
declare -A part_pids=()
parts=()
part() {
  local name="$1"
  shift
  (
    begun=$SECONDS
    status=0
    "$@" >"$results/$name.log" 2>&1 || status=$?
    echo "$((SECONDS - begun))" >"$results/$name.seconds"
    exit "$status"
  ) &
  part_pids[$name]=$!
  parts+=("$name")
}

ctest_part() {
  local variant="$1"
  start_xvfb
  ctest --test-dir "build/$variant" --output-on-failure -j 2 --output-junit "$PWD/$results/$variant.xml" \
    --test-output-size-passed 65536 --test-output-size-failed 262144 --test-output-truncation head
}

windows_part() {
  start_xvfb
  tools/windows/wine-test.sh
}

echo "== checks, side by side: release, asan, fuzz, windows"
part release ctest_part release
part asan ctest_part asan
part fuzz tools/ci/run-fuzz.sh "$fuzz_seconds"
part windows windows_part

status=$((format_status != 0))
for name in "${parts[@]}"; do
  part_status=0
  wait "${part_pids[$name]}" || part_status=$?
  echo "== $name ($(cat "$results/$name.seconds" 2>/dev/null || echo '?') s, exit $part_status)"
  cat "$results/$name.log"
  stages+=("$name checks: $(cat "$results/$name.seconds" 2>/dev/null || echo '?') s")
  if [ -f "$results/$name.xml" ]; then
    /usr/bin/python3 -B tools/ci/tally.py "$tally" add "$name" --junit "$results/$name.xml" --status "$part_status"
  else
    /usr/bin/python3 -B tools/ci/tally.py "$tally" add "$name" --log "$results/$name.log" --status "$part_status"
  fi
  [ "$part_status" -eq 0 ] || status=1
done

echo
echo "== stage times"
printf '  %s\n' "${stages[@]}" "whole run: $((SECONDS - started)) s"
echo
/usr/bin/python3 -B tools/ci/tally.py "$tally" report || status=1
exit "$status"
