# The one way the project installs Debian packages: ./skyvane's commands, before anything is
# configured. What CMake and CTest run only checks, and fails naming the install command.
#   ensure_packages SET...   installs what the named sets hold and the machine lacks
#   require_packages SET...  fails unless all of them are installed
# As root apt-get runs directly, otherwise through sudo; with neither, one line says what to
# install and the caller stops. Output goes to stderr: some callers print results on stdout.

declare -A SKYVANE_PACKAGES=(
  [build]="cmake g++ make pkg-config ccache python3 python3-glad libglfw3-dev libx11-dev libgl-dev libfreetype-dev libfontconfig-dev libpng-dev fonts-humor-sans fonts-dejavu-core"
  # openbox and i3: real window managers for the window checks of the way in.
  [test]="googletest libgtest-dev xvfb xauth xdotool x11-utils clang libclang-rt-14-dev clang-format python3-pytest python3-pytest-timeout python3-pil python3-xlib openbox i3-wm"
  [bench]="libbenchmark-dev libsdl2-dev libxdamage-dev"
  # Wine's X11 driver loads the X and GL libraries at run time; they are only its Recommends.
  [windows]="gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev cmake ninja-build dpkg-dev zip unzip icoutils x11-utils wine wine64 libgl1 libgl1-mesa-dri libxcursor1 libxi6 libxrandr2 libxrender1 libxinerama1 libxcomposite1 libxfixes3 libxxf86vm1"
  [fresh-check]="debootstrap debian-archive-keyring"
)

# missing_packages SET...: sets `missing` to the packages of the sets that are not installed.
missing_packages() {
  local set package
  missing=()
  for set in "$@"; do
    [[ -v SKYVANE_PACKAGES[$set] ]] || { echo "error: no package set '$set'" >&2; return 2; }
    for package in ${SKYVANE_PACKAGES[$set]}; do
      dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q ' installed$' || missing+=("$package")
    done
  done
}

require_packages() {
  local missing
  missing_packages "$@"
  ((${#missing[@]} == 0)) && return 0
  echo "error: missing Debian packages: ${missing[*]}; ./skyvane installs them, or as root: apt-get install ${missing[*]}" >&2
  return 1
}

ensure_packages() {
  local missing
  missing_packages "$@"
  ((${#missing[@]} == 0)) && return 0

  local root=()
  if ((EUID != 0)); then
    if ! command -v sudo >/dev/null; then
      echo "error: missing Debian packages; as root, run: apt-get install ${missing[*]}" >&2
      return 1
    fi
    root=(sudo)
  fi
  echo "Installing: ${missing[*]}" >&2
  # Another apt on the machine may hold the lock for a while.
  local apt=(apt-get -qq -o DPkg::Lock::Timeout=600)
  # apt's progress goes; its warnings and errors stay on stderr.
  if ! "${root[@]}" env DEBIAN_FRONTEND=noninteractive "${apt[@]}" update >/dev/null ||
     ! "${root[@]}" env DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y --no-install-recommends \
         "${missing[@]}" >/dev/null </dev/null; then
    echo "error: could not install: ${missing[*]}" >&2
    return 1
  fi
}
