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

# One-line entries (`deb [signed-by=K] URI SUITE COMPONENT...`) and deb822 stanzas become deb822
# deb-src stanzas for the release's suite; Signed-By (a path or an inline key) and Trusted are
# kept, so the private index is checked against the same keys as the host's.
sources=$apt_dir/sources.list.d/debian-src.sources
awk -v release="$release" '
  function reset() { types = uris = suites = components = signed = trusted = ""; enabled = "yes" }
  function emit(   n, i, list, stanza) {
    if (tolower(enabled) == "no" || types !~ /(^| )deb(-src)?( |$)/ || components == "") return
    if ((" " suites " ") !~ (" " release " ")) return
    n = split(uris, list, " ")
    for (i = 1; i <= n; i++) {
      stanza = "Types: deb-src\nURIs: " list[i] "\nSuites: " release "\nComponents: " components "\n"
      if (signed != "") stanza = stanza "Signed-By: " signed "\n"
      if (trusted != "") stanza = stanza "Trusted: " trusted "\n"
      if (!(stanza in seen)) { seen[stanza] = 1; printf "%s\n", stanza }
    }
  }
  function oneline(   i, options, pairs, n, kv) {
    reset()
    types = $1
    i = 2
    if ($2 ~ /^\[/) {
      for (options = ""; i <= NF; i++) { options = options " " $i; if ($i ~ /\]$/) { i++; break } }
      gsub(/[][]/, "", options)
      n = split(options, pairs, " ")
      for (; n > 0; n--) {
        split(pairs[n], kv, "=")
        if (kv[1] == "signed-by") signed = kv[2]
        if (kv[1] == "trusted") trusted = kv[2]
      }
    }
    uris = $i; suites = $(i + 1)
    for (i += 2; i <= NF; i++) components = components (components == "" ? "" : " ") $i
    emit()
  }
  FNR == 1 { if (stanza_open) emit(); reset(); stanza_open = 0; field = "" }
  FILENAME !~ /\.sources$/ { sub(/#.*/, ""); if ($1 == "deb" || $1 == "deb-src") oneline(); next }
  /^[ \t]*#/ { next }
  /^[ \t]*$/ { if (stanza_open) emit(); reset(); stanza_open = 0; field = ""; next }
  /^[ \t]/ { if (field == "signed-by") signed = signed "\n" $0; next }
  {
    stanza_open = 1
    field = tolower(substr($0, 1, index($0, ":") - 1))
    value = substr($0, index($0, ":") + 1)
    gsub(/^[ \t]+|[ \t]+$/, "", value)
    if (field == "types") types = value
    else if (field == "uris") uris = value
    else if (field == "suites") suites = value
    else if (field == "components") components = value
    else if (field == "signed-by") signed = value
    else if (field == "trusted") trusted = value
    else if (field == "enabled") enabled = value
  }
  END { if (stanza_open) emit() }
' "${host_files[@]}" >"$sources"
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
