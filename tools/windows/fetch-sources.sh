#!/usr/bin/env bash
# Downloads Debian source packages of this machine's release into CACHE/debian-src through a
# private apt configuration in CACHE/apt: its own sources list (deb-src entries made from the
# host's own entries), its own index lists and cache. Needs no root and writes nothing under
# /etc or /var. Prints the path of each package's .dsc, one a line, in the order given.
#
#   tools/windows/fetch-sources.sh CACHE PACKAGE...
set -euo pipefail

(($# >= 2)) || { echo "usage: $0 CACHE PACKAGE..." >&2; exit 2; }
cache=$1
shift
apt_dir=$cache/apt
src_dir=$cache/debian-src
log=$apt_dir/fetch.log
# Only the release's main suite: the security mirror drops superseded source files and then
# answers 404, and -updates would name versions the main suite does not hold.
release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
[[ -n $release ]] || { echo "error: no VERSION_CODENAME in /etc/os-release" >&2; exit 1; }

rm -rf "$apt_dir/sources.list.d"
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$src_dir"
: >"$apt_dir/sources.list"
: >"$log"

# The host's source files, wherever its apt configuration keeps them.
eval "$(apt-config shell host_list Dir::Etc::sourcelist/f host_parts Dir::Etc::sourceparts/d)"
host_files=()
[[ -f ${host_list:-} ]] && host_files+=("$host_list")
for file in "${host_parts%/}"/*.list "${host_parts%/}"/*.sources; do
  [[ -f $file ]] && host_files+=("$file")
done
((${#host_files[@]} > 0)) || { echo "error: apt has no sources list on this machine" >&2; exit 1; }

sources=$apt_dir/sources.list.d/debian-src.sources
awk -v release="$release" -f "$(dirname "${BASH_SOURCE[0]}")/deb-src-entries.awk" "${host_files[@]}" >"$sources"
if [[ ! -s $sources ]]; then
  echo "error: none of apt's sources (${host_files[*]}) names the suite $release with components" >&2
  exit 1
fi

apt=(apt-get -q
  -o Dir::Etc::sourcelist="$apt_dir/sources.list"
  -o Dir::Etc::sourceparts="$apt_dir/sources.list.d"
  -o Dir::State::lists="$apt_dir/lists"
  -o Dir::Cache="$apt_dir/cache"
  -o APT::Sandbox::User="$(id -un)"
  -o Acquire::Languages=none)

# Refreshed on every fetch: a stale index names source files the mirror has dropped.
if ! "${apt[@]}" update >>"$log" 2>&1; then
  echo "error: apt-get update with the private sources in $apt_dir failed; last lines of $log:" >&2
  tail -n 20 "$log" >&2
  exit 1
fi

for package in "$@"; do
  dsc=$("${apt[@]}" source --print-uris "$package/$release" 2>>"$log" | awk '$2 ~ /\.dsc$/ { print $2 }') || true
  [[ -n $dsc ]] || { echo "error: no source package $package in $release (see $log)" >&2; exit 1; }
  # apt skips files already downloaded with the right checksum
  if ! (cd "$src_dir" && "${apt[@]}" source --download-only "$package/$release") >>"$log" 2>&1; then
    echo "error: downloading the source of $package failed; last lines of $log:" >&2
    tail -n 20 "$log" >&2
    exit 1
  fi
  echo "$src_dir/$dsc"
done
