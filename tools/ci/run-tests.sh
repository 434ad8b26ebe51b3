#!/usr/bin/env bash
# The whole test run. First the format check, then the builds one after the other, since each
# keeps both cores busy: the presets release, asan, fuzz and windows (CMakePresets.json). Then
# the checks, which mostly wait on windows and frames, side by side: `ctest --preset` release,
# asan, fuzz (a short run) and windows (under Wine); window tests start a private Xvfb as a
# fixture.
# Ends with one line per part and a total, of the cases ctest counted; a skipped check fails
# the run, as the display is up.
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/ci/common.sh

export SKYVANE_MONKEY_SEED="${SKYVANE_MONKEY_SEED:-1}"
export SKYVANE_FUZZ_SECONDS="${SKYVANE_FUZZ_SECONDS:-10}"

results=build/test-results
rm -rf "$results"
mkdir -p "$results"
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

echo "monkey seed: $SKYVANE_MONKEY_SEED (SKYVANE_MONKEY_SEED to change); fuzzing: $SKYVANE_FUZZ_SECONDS s a target"
echo "== format check"
begun=$SECONDS
format_status=0
tools/ci/check-format.sh >"$results/format.log" 2>&1 || format_status=$?
cat "$results/format.log"
stages+=("format check: $((SECONDS - begun)) s")
tallies=("format:$format_status")
for preset in release asan fuzz windows; do
  stage "$preset build" build "$preset"
done

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

echo "== checks, side by side: release, asan, fuzz, windows"
for preset in release asan fuzz windows; do
  rm -f "build/$preset/test-results.xml"
  part "$preset" ctest --preset "$preset"
done

status=$((format_status != 0))
for name in "${parts[@]}"; do
  part_status=0
  wait "${part_pids[$name]}" || part_status=$?
  echo "== $name ($(cat "$results/$name.seconds" 2>/dev/null || echo '?') s, exit $part_status)"
  cat "$results/$name.log"
  stages+=("$name checks: $(cat "$results/$name.seconds" 2>/dev/null || echo '?') s")
  tallies+=("$name:$part_status:build/$name/test-results.xml")
  [ "$part_status" -eq 0 ] || status=1
done

echo
echo "== stage times"
printf '  %s\n' "${stages[@]}" "whole run: $((SECONDS - started)) s"
echo
/usr/bin/python3 -B tools/ci/tally.py "${tallies[@]}" || status=1
exit "$status"
