#!/usr/bin/env bash
# Checks the tracked C and C++ sources against .clang-format with Debian's clang-format 14
# (other versions format differently); fails listing the files that differ. `clang-format -i
# FILE` formats one. Run from anywhere.
set -euo pipefail
cd "$(dirname "$0")/../.."

formatter=/usr/bin/clang-format
if ! "$formatter" --version 2>/dev/null | grep -q 'version 14\.'; then
  echo "check-format.sh: needs clang-format 14 at $formatter (Debian package clang-format)" >&2
  exit 2
fi

differing=()
while IFS= read -r -d '' file; do
  "$formatter" --dry-run --Werror "$file" >/dev/null 2>&1 || differing+=("$file")
done < <(git ls-files -z -- '*.c' '*.cpp' '*.h')

if [ "${#differing[@]}" -gt 0 ]; then
  echo "${#differing[@]} files differ from .clang-format (clang-format -i to fix):" >&2
  printf '  %s\n' "${differing[@]}" >&2
  exit 1
fi
echo "format: all tracked C/C++ sources match .clang-format"
