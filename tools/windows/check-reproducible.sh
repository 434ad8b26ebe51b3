#!/usr/bin/env bash
# Builds the Windows package twice from this checkout, in fresh build folders at different
# paths and without ccache (a cache hit would hide a compiler that is not deterministic), and
# demands byte-identical skyvane.exe and skyvane-windows.zip. The packages at the repository
# root are left alone.
#
#   tools/windows/check-reproducible.sh
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"
work=$(mktemp -d "${TMPDIR:-/tmp}/skyvane-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
started=$SECONDS

builds=("$work/one/build" "$work/another/deeper/place/build")
for place in "${builds[@]}"; do
  echo "== building in $place"
  CCACHE_DISABLE=1 cmake --preset windows -B "$place" >/dev/null
  CCACHE_DISABLE=1 cmake --build "$place" -j "$(nproc)" --target windows_package | tail -n 1
done

status=0
for file in skyvane-windows/skyvane.exe skyvane-windows.zip; do
  first=${builds[0]}/$file second=${builds[1]}/$file
  if cmp -s "$first" "$second"; then
    echo "same: $file, $(stat -c %s "$first") bytes, sha256 $(sha256sum "$first" | cut -d' ' -f1)"
  else
    echo "DIFFERENT: $file ($(cmp -l "$first" "$second" | wc -l) bytes differ)" >&2
    status=1
  fi
done
if ((status != 0)); then
  diff -r "${builds[0]}/skyvane-windows" "${builds[1]}/skyvane-windows" >&2 || true
fi
echo "check-reproducible: $( ((status == 0)) && echo passed || echo FAILED) in $((SECONDS - started)) s"
exit "$status"
