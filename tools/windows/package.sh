#!/usr/bin/env bash
# Builds the Windows package: skyvane-windows/ (skyvane.exe, stripped, beside Resources/, the
# player's README.txt and THIRD-PARTY-NOTICES.txt) and skyvane-windows.zip, by default at the repository root. Cross-compiles with MinGW-w64 in
# build/windows against the static libraries of build-deps.sh (cached); safe to run again, and
# a failed run leaves the previous package in place. The package is byte-reproducible: its
# file times are the commit's (or SOURCE_DATE_EPOCH), the zip's entries are sorted.
#
#   tools/windows/package.sh [--build-dir DIR] [--output DIR] [EXTRA_TARGET...]
#   (wine-test.sh adds its test program; check-reproducible.sh builds in two folders)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"
build=build/windows
output=.
while (($# > 0)); do
  case $1 in
    --build-dir) build=${2:?}; shift 2 ;;
    --output) output=${2:?}; shift 2 ;;
    *) break ;;
  esac
done
package=skyvane-windows
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || true)}
[[ $SOURCE_DATE_EPOCH =~ ^[0-9]+$ ]] || {
  echo "error: no commit date from git (not a checkout?): set SOURCE_DATE_EPOCH to the file time, in seconds" >&2
  exit 2
}
started=$SECONDS
took() { echo "$(($SECONDS - $1)) s"; }
size() { du -sh --apparent-size "$1" | cut -f1; }

step=$SECONDS
deps=$(tools/windows/build-deps.sh)
echo "dependencies: $deps ($(took "$step"))"

# Results cached by an earlier configure (library paths) would still point at another prefix.
if [[ -f $build/CMakeCache.txt ]] && ! grep -q "^SKYVANE_WIN_DEPS:[A-Z]*=$deps\$" "$build/CMakeCache.txt"; then
  rm -rf "$build"
fi
configure=(-G Ninja -DSKYVANE_WIN_DEPS="$deps" -DCMAKE_BUILD_TYPE=Release -DSKYVANE_WARNINGS_AS_ERRORS=ON)
# CMake reads the toolchain on the first configure only, and warns when it is passed again.
[[ -f $build/CMakeCache.txt ]] || configure+=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake)
if command -v ccache >/dev/null; then
  configure+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

step=$SECONDS
cmake -S . -B "$build" "${configure[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)" --target skyvane "$@"
echo "build: $(took "$step")"

# Assembled beside the build, then swapped in whole.
step=$SECONDS
stage=$build/package
rm -rf "$stage" "$build/$package.zip"
mkdir -p "$stage/$package"
# strip writes a time stamp into the PE header again, the current time or this one.
SOURCE_DATE_EPOCH=0 x86_64-w64-mingw32-strip -o "$stage/$package/skyvane.exe" "$build/bin/skyvane.exe"
cp -R "$build/bin/Resources" "$build/bin/README.txt" "$build/bin/THIRD-PARTY-NOTICES.txt" "$stage/$package/"
# Modes and times as well as contents go into the zip; the umask and the clock must not.
find "$stage/$package" -type d -exec chmod 755 {} + -o -type f -exec chmod 644 {} +
chmod 755 "$stage/$package/skyvane.exe"
find "$stage/$package" -exec touch --no-dereference --date="@$SOURCE_DATE_EPOCH" {} +
# -X: no owner ids or extra time fields; -D: no folder entries. Zip stores local time.
(cd "$stage" && find "$package" -type f | LC_ALL=C sort | TZ=UTC zip -qX -D -9 "../$package.zip" -@)
mkdir -p "$output"
rm -rf "${output:?}/$package" "$output/$package.zip"
mv "$stage/$package" "$output/$package"
mv "$build/$package.zip" "$output/$package.zip"
rmdir "$stage"
echo "package: $(took "$step")"

echo "skyvane.exe $(size "$build/bin/skyvane.exe") unstripped, $(size "$output/$package/skyvane.exe") stripped;" \
  "Resources $(size "$output/$package/Resources"); $package.zip $(size "$output/$package.zip")"
echo "total: $(took "$started")"
