#!/usr/bin/env bash
# Tests the Windows package under Wine on the X server in $DISPLAY (the caller's Xvfb):
# checks how the dependencies' sources are found (tests/windows/deb_src_entries_test.sh),
# builds it (tools/windows/package.sh), checks the exe's resources and reproducibility marks
# (tests/windows/package_test.sh), installs a copy in a folder whose name is not ASCII,
# runs the platform checks there (GoogleTest), then plays the game through XTest
# (tests/windows/wine_play_test.py). Screenshots land in build/windows/wine-test/.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"
[[ -n ${DISPLAY:-} ]] || { echo "error: DISPLAY is not set; start Xvfb first" >&2; exit 2; }
started=$SECONDS

status=0
echo "== deb-src entries for the private apt configuration"
tests/windows/deb_src_entries_test.sh || status=1

tools/windows/package.sh windows_platform_test window_control

# wine-run.sh makes its Wine prefixes under TMPDIR: a private one shows whether each run
# stopped its wineserver and removed its prefix, and lets this script stop any it did not.
work=$(mktemp -d "${TMPDIR:-/tmp}/skyvane-wine-test.XXXXXX")
stop_leftover_wine() {
  local prefix
  for prefix in "$work"/tmp/skyvane-wine.*; do
    [[ -d $prefix ]] || continue
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
  done
}
trap 'stop_leftover_wine; rm -rf "$work"' EXIT
mkdir "$work/tmp"

install="$work/Skyväne ✈ Spiel"
cp -R skyvane-windows "$install"
cp build/windows/bin/windows_platform_test.exe build/windows/bin/window_control.exe "$install/"

echo "== the package: resources, no time stamp, no build path"
tests/windows/package_test.sh skyvane-windows skyvane-windows.zip build/windows || status=1

echo "== Windows platform checks under Wine"
TMPDIR=$work/tmp tools/windows/wine-run.sh --timeout 120 "$install/windows_platform_test.exe" || status=1

echo "== the game under Wine"
TMPDIR=$work/tmp LIBGL_ALWAYS_SOFTWARE=1 /usr/bin/python3 -B tests/windows/wine_play_test.py "$install/skyvane.exe" \
  --wine-run tools/windows/wine-run.sh --window-control "$install/window_control.exe" \
  --artifacts build/windows/wine-test || status=1

if compgen -G "$work/tmp/skyvane-wine.*" >/dev/null; then
  echo "FAIL: a Wine prefix was left behind: its wineserver was not stopped" >&2
  status=1
fi
echo "wine-test: $( ((status == 0)) && echo passed || echo FAILED) in $((SECONDS - started)) s"
exit "$status"
