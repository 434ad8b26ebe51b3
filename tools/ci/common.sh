# Shared by the project's commands: package sets, installation and builds.

declare -A SKYVANE_PACKAGES=(
  [build]="cmake g++ make pkg-config ccache python3 python3-glad libglfw3-dev libgl-dev libfreetype-dev libfontconfig-dev libpng-dev fonts-humor-sans fonts-dejavu-core"
  [test]="googletest libgtest-dev xvfb xauth xdotool x11-utils imagemagick clang libclang-rt-14-dev"
  [bench]="libbenchmark-dev libsdl2-dev libxdamage-dev"
  [windows]="g++-mingw-w64-x86-64-posix libz-mingw-w64-dev ninja-build dpkg-dev zip wine wine64"
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the packages of the named sets that are not installed yet.
ensure_packages() {
  local wanted=() missing=() set package
  for set in "$@"; do
    for package in ${SKYVANE_PACKAGES[$set]}; do wanted+=("$package"); done
  done
  for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

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
