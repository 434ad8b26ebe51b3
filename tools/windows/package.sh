#!/usr/bin/env bash
# Builds the Windows package at the repository root: skyvane-windows/ (skyvane.exe, stripped,
# beside Resources/) and skyvane-windows.zip. Cross-compiles with MinGW-w64 in build/windows
# against the static libraries of build-deps.sh (cached); safe to run again, and a failed
# run leaves the previous package in place.
#
#   tools/windows/package.sh [EXTRA_TARGET...]   (wine-test.sh adds its test program)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"
build=build/windows
package=skyvane-windows
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
x86_64-w64-mingw32-strip -o "$stage/$package/skyvane.exe" "$build/bin/skyvane.exe"
cp -R "$build/bin/Resources" "$stage/$package/"
(cd "$stage" && zip -qrX "../$package.zip" "$package")
rm -rf "$package" "$package.zip"
mv "$stage/$package" "$package"
mv "$build/$package.zip" "$package.zip"
rmdir "$stage"
echo "package: $(took "$step")"

echo "skyvane.exe $(size "$build/bin/skyvane.exe") unstripped, $(size "$package/skyvane.exe") stripped;" \
  "Resources $(size "$package/Resources"); $package.zip $(size "$package.zip")"
echo "total: $(took "$started")"
