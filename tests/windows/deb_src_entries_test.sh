#!/usr/bin/env bash
# tools/windows/deb-src-entries.awk on sources lists of both formats: which host entries
# become the private deb-src stanzas, and that keys and options survive the change of format.
set -euo pipefail

awk_script=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools/windows" && pwd)/deb-src-entries.awk
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/sources.list" <<'LIST'
# the release, its updates and security suites, a flat repository
deb [arch=amd64 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://a.example/debian bookworm main contrib # note
deb http://a.example/debian bookworm-updates main
deb http://security.example/debian-security bookworm-security main
deb-src [ trusted=yes ] http://b.example/debian bookworm main
deb http://b.example/debian bookworm main
deb http://flat.example/repo ./
deb http://other.example/debian trixie main
LIST
cat >"$work/mirrors.sources" <<'SOURCES'
Types: deb
URIs: http://c.example/debian http://d.example/debian
Suites: bookworm bookworm-updates
Components: main non-free-firmware
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mQINBFx
 -----END PGP PUBLIC KEY BLOCK-----

# switched off
Types: deb deb-src
URIs: http://off.example/debian
Suites: bookworm
Components: main
Enabled: no

types: deb
uris: http://e.example/debian
suites: bookworm
components: main
SOURCES

# One stanza per URI of a deb822 entry, each with the whole inline key.
with_inline_key() {
  printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main non-free-firmware\nSigned-By: \n' "$1"
  printf ' %s\n' -----BEGIN\ PGP\ PUBLIC\ KEY\ BLOCK----- . mQINBFx -----END\ PGP\ PUBLIC\ KEY\ BLOCK-----
}

expected="Types: deb-src
URIs: http://a.example/debian
Suites: bookworm
Components: main contrib
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://b.example/debian
Suites: bookworm
Components: main
Trusted: yes

Types: deb-src
URIs: http://b.example/debian
Suites: bookworm
Components: main

$(with_inline_key http://c.example/debian)

$(with_inline_key http://d.example/debian)

Types: deb-src
URIs: http://e.example/debian
Suites: bookworm
Components: main"

actual=$(awk -v release=bookworm -f "$awk_script" "$work/sources.list" "$work/mirrors.sources")
if [[ $actual != "$expected" ]]; then
  echo "FAIL: deb-src entries differ (expected, actual):" >&2
  diff <(echo "$expected") <(echo "$actual") >&2 || true
  exit 1
fi
# A sources file read twice gives each stanza once.
twice=$(awk -v release=bookworm -f "$awk_script" "$work/sources.list" "$work/sources.list" | grep -c '^Types:')
[[ $twice == 3 ]] || { echo "FAIL: an entry listed twice gave $twice stanzas, not 3" >&2; exit 1; }
[[ -z $(awk -v release=bullseye -f "$awk_script" "$work/sources.list" "$work/mirrors.sources") ]] ||
  { echo "FAIL: entries for a suite no source names" >&2; exit 1; }
echo "deb_src_entries_test: passed"
