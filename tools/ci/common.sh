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

# Starts a private X server for window tests on a display number it finds free itself, so
# that several can start at once; sets DISPLAY and stops the server when the shell exits.
start_xvfb() {
  local numbers
  numbers=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$numbers" >/dev/null 2>&1 &
  SKYVANE_XVFB_PID=$!
  trap 'kill "$SKYVANE_XVFB_PID" 2>/dev/null || true' EXIT
  for _ in $(seq 100); do
    [ -s "$numbers" ] && break
    kill -0 "$SKYVANE_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$numbers")"
  rm -f "$numbers"
  if [ "$DISPLAY" = ":" ] || ! xdpyinfo >/dev/null 2>&1; then
    echo "error: the private X server (Xvfb) did not start" >&2
    return 1
  fi
}
