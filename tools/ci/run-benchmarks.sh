#!/usr/bin/env bash
# Benchmarks and measured figures, printed as tables and never asserted: game logic per frame,
# rendering against SDL2's renderer, and the running game beside the floor (a bare GLFW window)
# and SDL2 in one run: start-up, memory, CPU share and frame pacing, as ratios.
# Window figures come from a private Xvfb with Mesa's software OpenGL, as the window tests use.
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/ci/common.sh

machine() {
  echo "$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), load average $(cut -d' ' -f1-3 /proc/loadavg)"
}

echo "== build (the release preset, build/release)"
build release
bin=build/release/bin
for tool in logic_bench render_bench play_probe floor_window sdl_sprites; do
  if [ ! -x "$bin/$tool" ]; then
    echo "$tool was not built: libbenchmark-dev, libsdl2-dev and libxdamage-dev are needed (./skyvane bench installs them)" >&2
    exit 1
  fi
done

start_xvfb build/bench-xvfb
export LIBGL_ALWAYS_SOFTWARE=1
summaries=$(mktemp build/bench-summaries.XXXXXX)

echo
echo "Machine: $(machine). Other work on the machine makes every figure noisy."
echo
echo "== 1. Game logic per frame on the headless view (scheduler, actions, tick; nothing drawn)"
"$bin/logic_bench" | tee -a "$summaries"
echo
echo "== 2. Rendering under Xvfb with Mesa's software OpenGL: ours against SDL2's renderer"
"$bin/render_bench" | tee -a "$summaries"
echo
"$bin/play_probe" "$bin/skyvane" "$bin/floor_window" "$bin/sdl_sprites" --xvfb-pid "$SKYVANE_XVFB_PID" | tee -a "$summaries"

echo
echo "== Summary ($(machine))"
grep '^summary: ' "$summaries" | sed 's/^summary: /  /'
rm -f "$summaries"
