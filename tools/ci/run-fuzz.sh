#!/usr/bin/env bash
# Fuzzes the engine's image and font loading for a bounded time each (default 300 s) in a
# clang build of its own, build/fuzz. Fails when a fuzzer finds a crash, leak or timeout;
# the reproducer is left in build/fuzz/artifacts/<target>/ (see tests/fuzz/regressions).
#   tools/ci/run-fuzz.sh [seconds]    build, then fuzz each target
#   tools/ci/run-fuzz.sh --build-only
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds="${1:-300}"
dir=build/fuzz
targets=(image_fuzzer font_fuzzer)

cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKYVANE_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
  -DSKYVANE_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$dir" -j "$(nproc)" --target "${targets[@]}"
[ "$seconds" != --build-only ] || exit 0

export ASAN_OPTIONS="detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

status=0
for target in "${targets[@]}"; do
  artifacts="$dir/artifacts/$target"
  log="$dir/$target.log"
  rm -rf "$artifacts" && mkdir -p "$artifacts"
  # The kept cases, if any, join the seeds as a read-only second corpus.
  corpora=("$dir/corpus/$target")
  [ -d "tests/fuzz/regressions/$target" ] && corpora+=("tests/fuzz/regressions/$target")
  echo "== fuzzing $target for ${seconds}s"
  # One process, libFuzzer's default (-jobs would fork a worker logging to ./fuzz-0.log).
  # -close_fd_mask=2 silences the engine's log lines about bad files; libFuzzer and the
  # sanitizers still report.
  if "$dir/bin/$target" "${corpora[@]}" \
      -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
      -close_fd_mask=2 -print_final_stats=1 -artifact_prefix="$artifacts/" >"$log" 2>&1; then
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$log" || true
    echo "$target: passed"
  else
    status=1
    echo "$target: 1 check(s) failed"
    tail -n 60 "$log"
    echo "$target found a problem; full log in $log; reproducer:" >&2
    ls -t "$artifacts"/* >&2 || true
    echo "replay it with $dir/bin/$target <file>; keep it in tests/fuzz/regressions/$target/" >&2
  fi
done
exit "$status"
