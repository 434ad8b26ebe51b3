#!/usr/bin/env bash
# Builds the static Windows libraries the game links (GLFW, FreeType, libpng;
# zlib comes ready-made from libz-mingw-w64-dev) from Debian's source packages
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

ensure_packages windows

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
# Taken from the release's main archive, never its security suite: the
# security mirror drops superseded source files and then answers 404.
release=$(. /etc/os-release && echo "$VERSION_CODENAME")
src_cache=$cache/debian-src

# Refreshes the index too: a stale one names source files the mirror dropped.
prepare_source_index() {
  local lists=(/etc/apt/sources.list /etc/apt/sources.list.d/*)
  if ((EUID != 0)); then
    echo "warning: not root, using apt's source index as it is" >&2
    return 0
  fi
  if ! grep -qsE '^(Types:.*deb-src|deb-src )' "${lists[@]}"; then
    local sources=/etc/apt/sources.list.d/debian.sources
    if [[ -f $sources ]]; then
      sed -i 's/^Types: deb$/Types: deb deb-src/' "$sources"
    else
      sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >/etc/apt/sources.list.d/skyvane-deb-src.list
    fi
  fi
  apt-get -qq -o DPkg::Lock::Timeout=600 update >&2
}

fetch_source() { # PKG -> path of its .dsc in $src_cache
  local pkg=$1 dsc
  dsc=$(apt-get source --print-uris "$pkg/$release" 2>>"$log" | awk '$2 ~ /\.dsc$/ { print $2 }')
  [[ -n $dsc ]] || { echo "error: no source package $pkg in $release" >&2; return 1; }
  # apt skips files already downloaded with the right checksum
  (cd "$src_cache" && apt-get -o APT::Sandbox::User=root source --download-only "$pkg/$release") >>"$log" 2>&1
  echo "$src_cache/$dsc"
}

step "fetching Debian source packages ($release)"
prepare_source_index
mkdir -p "$src_cache"
glfw_dsc=$(fetch_source glfw3)
png_dsc=$(fetch_source libpng1.6)
freetype_dsc=$(fetch_source freetype)

# --- build ----------------------------------------------------------------
rm -rf "$prefix"
mkdir -p "$prefix"
work=$(mktemp -d "$cache/build.XXXXXX")

build() { # NAME DSC [CMAKE_OPTION...]
  local name=$1 dsc=$2
  shift 2
  step "building $name from $(basename "$dsc")"
  dpkg-source --no-check -x "$dsc" "$work/$name" >>"$log" 2>&1
  cmake -S "$work/$name" -B "$work/$name-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DSKYVANE_WIN_DEPS="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=OFF "$@" >>"$log" 2>&1
  cmake --build "$work/$name-build" --target install >>"$log" 2>&1
}

# zlib: FindZLIB picks the static libz.a of libz-mingw-w64-dev from the sysroot.
build libpng "$png_dsc" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF
build freetype "$freetype_dsc" \
  -DFT_REQUIRE_ZLIB=ON -DFT_REQUIRE_PNG=ON \
  -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON -DFT_DISABLE_BZIP2=ON
build glfw "$glfw_dsc" \
  -DGLFW_BUILD_EXAMPLES=OFF -DGLFW_BUILD_TESTS=OFF -DGLFW_BUILD_DOCS=OFF

touch "$done_stamp"
step "done"
echo "$prefix"
