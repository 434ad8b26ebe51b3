#!/usr/bin/env bash
# Checks the built Windows package without running it: skyvane.exe's resources as Debian's
# icoutils read them (the icon named for GLFW, the version, the manifest), and what the
# reproducible build promises (no time stamp, no build path, a zip in sorted order with one
# file time).
#
#   tests/windows/package_test.sh PACKAGE_DIR ZIP BUILD_DIR DEPENDENCY_PREFIX
set -euo pipefail

(($# == 4)) || { echo "usage: $0 PACKAGE_DIR ZIP BUILD_DIR DEPENDENCY_PREFIX" >&2; exit 2; }
package=$1 zip=$2 build=$3 deps=$4
exe=$package/skyvane.exe
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
check() { # DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what" >&2; failures=$((failures + 1)); fi
}
resource() { wrestool -x --raw "$@" "$exe"; }
# The version resource's keys and values, one a line (UTF-16 with zero padding).
version_strings() { resource --type=16 | iconv -f UTF-16LE -t UTF-8 | tr -s '\0' '\n'; }
# A key's line may start with the binary lengths before it.
version_value() { version_strings | awk -v key="$1" 'found { print; exit } $0 ~ key "$" { found = 1 }'; }

check "the icon group is named GLFW_ICON" grep -q -- "--type=14 --name='GLFW_ICON'" <(wrestool -l "$exe")
same_pictures() { # the pictures as PNG files, named after their icon file
  mkdir -p "$work/committed" "$work/embedded"
  cp "$root/resources/skyvane.ico" "$work/committed/"
  wrestool -x --type=14 --name=GLFW_ICON "$exe" >"$work/embedded/skyvane.ico"
  [[ $(icotool -l "$work/embedded/skyvane.ico" | grep -o -- '--width=[0-9]*' | tr '\n' ' ') == \
     "--width=16 --width=24 --width=32 --width=48 --width=64 --width=256 " ]] || return 1
  icotool -x -o "$work/committed" "$work/committed/skyvane.ico"
  icotool -x -o "$work/embedded" "$work/embedded/skyvane.ico"
  rm "$work"/*/skyvane.ico
  diff -r "$work/committed" "$work/embedded" >/dev/null
}
check "the icon holds resources/skyvane.ico's six pictures, 16 to 256 px" same_pictures

project_version=$(sed -n 's/^project(Skyvane VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
check "ProductName is Skyvane" test "$(version_value ProductName)" = Skyvane
check "FileVersion is the project's $project_version" test "$(version_value FileVersion)" = "$project_version"
check "ProductVersion is the project's $project_version" test "$(version_value ProductVersion)" = "$project_version"
check "a FileDescription" grep -q . <(version_value FileDescription)
check "a copyright line" grep -q '^Copyright' <(version_value LegalCopyright)

resource --type=24 >"$work/manifest.xml"
manifest_has() { grep -q -F "$1" "$work/manifest.xml"; }
check "manifest: asInvoker" manifest_has 'level="asInvoker"'
for os in 35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 \
  1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
  check "manifest: supported OS {$os}" manifest_has "<supportedOS Id=\"{$os}\"/>"
done
check "manifest: not DPI aware" manifest_has '>unaware</dpiAwareness>'
check "manifest: UTF-8 code page" manifest_has '>UTF-8</activeCodePage>'

pe_timestamp() { # the COFF header's TimeDateStamp: 8 bytes after "PE\0\0", found at 0x3c
  local header
  header=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
  od -An -tu4 -j$((header + 8)) -N4 "$exe" | tr -d ' '
}
check "no link time stamp in the PE header" test "$(pe_timestamp)" = 0
no_build_paths() { ! grep -a -q -F -e "$root" -e "$(cd "$build" && pwd)" -e "$deps" "$exe"; }
check "no build path in skyvane.exe" no_build_paths

# The two texts, as the zip holds them: Windows line ends, what a player needs, every notice.
unzip -q -d "$work/unzipped" "$zip" skyvane-windows/README.txt skyvane-windows/THIRD-PARTY-NOTICES.txt
readme=$work/unzipped/skyvane-windows/README.txt notices=$work/unzipped/skyvane-windows/THIRD-PARTY-NOTICES.txt
crlf_only() { [[ -s $1 ]] && ! LC_ALL=C grep -a -q -e $'[^\r]$' -e '^$' "$1"; }
check "README.txt in the zip, with Windows line ends" crlf_only "$readme"
for needed in 'skyvane.exe' 'Windows 7' 'OpenGL 2.0' 'does not start' 'THIRD-PARTY-NOTICES.txt'; do
  check "README.txt mentions '$needed'" grep -q -F "$needed" "$readme"
done
check "THIRD-PARTY-NOTICES.txt in the zip, with Windows line ends" crlf_only "$notices"
check "the FreeType credit, with its year" \
  grep -q -E '^Portions of this software are copyright \(C\) 20[0-9]{2} The FreeType Project \(www\.freetype\.org\)\.' "$notices"
carries() { # SOURCE_LINE COPYRIGHT: the source package's name and version, then its copyright file as
  # Windows gets it (cmake/WindowsText.cmake: Debian paths named, their texts at the notices' end)
  grep -q -F "Debian source package: $1"$'\r' "$notices" &&
    cmake -DSOURCE="$2" -DTARGET="$work/notice.txt" -P "$root/cmake/WindowsTextFile.cmake" &&
    /usr/bin/python3 -c 'import sys; from pathlib import Path as P
body = P(sys.argv[1]).read_bytes().split(b"\r\n\r\n" + b"=" * 78 + b"\r\nTexts referred to above")[0]
sys.exit(body not in P(sys.argv[2]).read_bytes())' "$work/notice.txt" "$notices"
}
for name in freetype libpng glfw; do
  check "the notice of $name, as built" carries "$(cat "$deps/share/doc/$name/source")" "$deps/share/doc/$name/copyright"
done
for package in libz-mingw-w64-dev mingw-w64-x86-64-dev; do
  check "the notice of $package, as installed" \
    carries "$(dpkg-query -W -f='${source:Package} ${source:Version}' "$package")" "/usr/share/doc/$package/copyright"
done

names=$(unzip -Z1 "$zip")
check "zip entries in sorted order" test "$names" = "$(LC_ALL=C sort <<<"$names")"
check "one file time for every zip entry" test "$(unzip -Z -T "$zip" | awk '$1 ~ /^-/ { print $7 }' | sort -u | wc -l)" = 1

((failures == 0)) || { echo "package_test: $failures failed" >&2; exit 1; }
echo "package_test: passed"
