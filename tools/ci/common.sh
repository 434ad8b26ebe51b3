# Shared by the project's commands: package installation, builds and a private X server.

source "$(dirname "${BASH_SOURCE[0]}")/../lib/packages.sh"

# build NAME [extra cmake arguments]: configures once, then builds build/NAME.
build() {
  local name="$1"; shift
  local dir="build/$name" type=RelWithDebInfo
  local args=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache -DSKYVANE_WARNINGS_AS_ERRORS=ON)
  if [ "$name" = asan ]; then
    type=Debug
    args+=(-DSKYVANE_SANITIZE=ON)
  fi
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="$type" "${args[@]}" "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}

# Starts a private X server for window tests; sets DISPLAY and stops it on exit.
start_xvfb() {
  local number
  for number in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] || break
  done
  Xvfb ":$number" -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  SKYVANE_XVFB_PID=$!
  export DISPLAY=":$number"
  for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
  trap 'kill "$SKYVANE_XVFB_PID" 2>/dev/null || true' EXIT
}
