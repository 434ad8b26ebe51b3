#!/usr/bin/env bash
# Builds the static Windows libraries the game links (GLFW, FreeType, libpng;
# zlib comes ready-made from libz-mingw-w64-dev) and GoogleTest for its tests
# from Debian's source packages (fetched by fetch-sources.sh, no root needed)
# with cmake/mingw-w64-x86_64.cmake, into a prefix cached per version of this
# script and the toolchain file. Prints the prefix path as its last line:
#
#   deps=$(tools/windows/build-deps.sh)
#
# Cache root: $SKYVANE_CACHE, default ~/.cache/skyvane. Safe to run twice and
# concurrently: a finished prefix is reused, a half-built one is rebuilt.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
toolchain=$(cd "$here/../../cmake" && pwd)/mingw-w64-x86_64.cmake
# shellcheck source=../lib/packages.sh
source "$here/../lib/packages.sh"

# ./skyvane installs them; this runs inside CMake's configure, which only looks.
require_packages windows

cache=${SKYVANE_CACHE:-$HOME/.cache/skyvane}
key=$(cat "${BASH_SOURCE[0]}" "$toolchain" | sha256sum | cut -c1-12)
prefix=$cache/mingw-deps-$key
done_stamp=$prefix/.complete

if [[ -f $done_stamp ]]; then
  echo "$prefix"
  exit 0
fi

mkdir -p "$cache"
exec 9>"$prefix.lock"
flock 9
if [[ -f $done_stamp ]]; then # another run finished it while we waited
  echo "$prefix"
  exit 0
fi

log=$prefix.log
: >"$log"
work=
on_exit() {
  local status=$?
  [[ -z $work ]] || rm -rf "$work"
  if ((status != 0)); then
    echo "error: Windows dependency build failed; last lines of $log:" >&2
    tail -n 30 "$log" >&2
  fi
}
trap on_exit EXIT
started=$SECONDS
step() { echo "[build-deps +$((SECONDS - started))s] $*" >&2; }

# --- Debian sources -------------------------------------------------------
step "fetching Debian source packages"
mapfile -t dsc < <("$here/fetch-sources.sh" "$cache" glfw3 libpng1.6 freetype googletest)
((${#dsc[@]} == 4)) || exit 1

# --- build ----------------------------------------------------------------
rm -rf "$prefix"
mkdir -p "$prefix"
work=$(mktemp -d "$cache/build.XXXXXX")

# The libraries' own paths must not reach the game: its exe is the same wherever this ran.
path_maps="-ffile-prefix-map=$work=/src -ffile-prefix-map=$prefix=/deps"

build() { # NAME DSC [CMAKE_OPTION...]
  local name=$1 dsc=$2
  shift 2
  step "building $name from $(basename "$dsc")"
  dpkg-source --no-check -x "$dsc" "$work/$name" >>"$log" 2>&1
  # The package's notices ship with the game: its licence terms, its source package and version.
  install -D -m 644 "$work/$name/debian/copyright" "$prefix/share/doc/$name/copyright"
  sed -n 's/^Source: //p; s/^Version: //p' "$dsc" | paste -sd ' ' >"$prefix/share/doc/$name/source"
  cmake -S "$work/$name" -B "$work/$name-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DSKYVANE_WIN_DEPS="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_C_FLAGS="$path_maps" -DCMAKE_CXX_FLAGS="$path_maps" \
    -DBUILD_SHARED_LIBS=OFF "$@" >>"$log" 2>&1
  cmake --build "$work/$name-build" --target install >>"$log" 2>&1
}

# zlib: FindZLIB picks the static libz.a of libz-mingw-w64-dev from the sysroot.
build libpng "${dsc[1]}" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF
build freetype "${dsc[2]}" \
  -DFT_REQUIRE_ZLIB=ON -DFT_REQUIRE_PNG=ON \
  -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON -DFT_DISABLE_BZIP2=ON
build glfw "${dsc[0]}" \
  -DGLFW_BUILD_EXAMPLES=OFF -DGLFW_BUILD_TESTS=OFF -DGLFW_BUILD_DOCS=OFF
build googletest "${dsc[3]}" -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON

touch "$done_stamp"
step "done"
echo "$prefix"
