#!/usr/bin/env bash
# Assembles the Windows package from a built tree (the windows preset's build runs it as its
# target windows_package): BUILD/skyvane-windows/ (skyvane.exe, stripped, beside Resources/,
# the player's README.txt and THIRD-PARTY-NOTICES.txt) and BUILD/skyvane-windows.zip. The
# package is byte-reproducible: its file times are the commit's (or SOURCE_DATE_EPOCH), the
# zip's entries are sorted. A failed run leaves the previous package in place.
#
#   tools/windows/package.sh BUILD
set -euo pipefail

(($# == 1)) || { echo "usage: $0 BUILD" >&2; exit 2; }
build=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
package=skyvane-windows
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || true)}
[[ $SOURCE_DATE_EPOCH =~ ^[0-9]+$ ]] || {
  echo "error: no commit date from git (not a checkout?): set SOURCE_DATE_EPOCH to the file time, in seconds" >&2
  exit 2
}
size() { du -sh --apparent-size "$1" | cut -f1; }

# Assembled beside the build, then swapped in whole.
stage=$build/package
rm -rf "$stage"
mkdir -p "$stage/$package"
# strip writes a time stamp into the PE header again, the current time or this one.
SOURCE_DATE_EPOCH=0 x86_64-w64-mingw32-strip -o "$stage/$package/skyvane.exe" "$build/bin/skyvane.exe"
cp -R "$build/bin/Resources" "$build/bin/README.txt" "$build/bin/THIRD-PARTY-NOTICES.txt" "$stage/$package/"
# Modes and times as well as contents go into the zip; the umask and the clock must not.
find "$stage/$package" -type d -exec chmod 755 {} + -o -type f -exec chmod 644 {} +
chmod 755 "$stage/$package/skyvane.exe"
find "$stage/$package" -exec touch --no-dereference --date="@$SOURCE_DATE_EPOCH" {} +
# -X: no owner ids or extra time fields; -D: no folder entries. Zip stores local time.
(cd "$stage" && find "$package" -type f | LC_ALL=C sort | TZ=UTC zip -qX -D -9 "$package.zip" -@)
rm -rf "${build:?}/$package" "$build/$package.zip"
mv "$stage/$package" "$stage/$package.zip" "$build/"
rmdir "$stage"

echo "skyvane.exe $(size "$build/bin/skyvane.exe") unstripped, $(size "$build/$package/skyvane.exe") stripped;" \
  "Resources $(size "$build/$package/Resources"); $package.zip $(size "$build/$package.zip")"
