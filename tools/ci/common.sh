# Shared by the project's commands: package installation, builds and a private X server.

source "$(dirname "${BASH_SOURCE[0]}")/../lib/packages.sh"

# build PRESET: configures and builds one of CMakePresets.json's configurations.
build() {
  cmake --workflow --preset "$1"
}

# start_xvfb STATE_DIR: the window tests' private X server (tools/ci/xvfb-fixture.sh) for
# this shell: sets DISPLAY and SKYVANE_XVFB_PID, and stops the server when the shell exits.
start_xvfb() {
  tools/ci/xvfb-fixture.sh start "$1" >/dev/null
  trap "tools/ci/xvfb-fixture.sh stop '$1'" EXIT
  DISPLAY=$(cat "$1/display") SKYVANE_XVFB_PID=$(cat "$1/pid")
  export DISPLAY
}
