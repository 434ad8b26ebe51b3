"""tools/windows/deb-src-entries.awk on sources lists of both formats: which host entries become
the private deb-src stanzas, and that keys and options survive the change of format."""

import subprocess
from pathlib import Path

import pytest

AWK = Path(__file__).resolve().parents[2] / "tools" / "windows" / "deb-src-entries.awk"
ONE_LINE = """\
# the release, its updates and security suites, a flat repository
deb [arch=amd64 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://a.example/debian bookworm main contrib # note
deb http://a.example/debian bookworm-updates main
deb http://security.example/debian-security bookworm-security main
deb-src [ trusted=yes ] http://b.example/debian bookworm main
deb http://b.example/debian bookworm main
deb http://flat.example/repo ./
deb http://other.example/debian trixie main
"""
KEY = " -----BEGIN PGP PUBLIC KEY BLOCK-----\n .\n mQINBFx\n -----END PGP PUBLIC KEY BLOCK-----\n"
DEB822 = f"""\
Types: deb
URIs: http://c.example/debian http://d.example/debian
Suites: bookworm bookworm-updates
Components: main non-free-firmware
Signed-By:
{KEY}
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
"""


def stanza(uri, components="main", extra=""):
    return f"Types: deb-src\nURIs: {uri}\nSuites: bookworm\nComponents: {components}\n{extra}"


@pytest.fixture
def lists(tmp_path):
    (tmp_path / "sources.list").write_text(ONE_LINE)
    (tmp_path / "mirrors.sources").write_text(DEB822)
    return tmp_path / "sources.list", tmp_path / "mirrors.sources"


def entries(release, *files):
    return subprocess.run(["awk", "-v", f"release={release}", "-f", str(AWK), *map(str, files)],
                          check=True, capture_output=True, text=True).stdout


def test_entries_of_both_formats(lists):
    expected = [
        stanza("http://a.example/debian", "main contrib", "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg\n"),
        stanza("http://b.example/debian", extra="Trusted: yes\n"),
        stanza("http://b.example/debian"),
        stanza("http://c.example/debian", "main non-free-firmware", f"Signed-By: \n{KEY}"),
        stanza("http://d.example/debian", "main non-free-firmware", f"Signed-By: \n{KEY}"),
        stanza("http://e.example/debian"),
    ]
    assert entries("bookworm", *lists) == "\n".join(expected) + "\n"


def test_a_file_read_twice_gives_each_stanza_once(lists):
    assert entries("bookworm", lists[0], lists[0]).count("Types:") == 3


def test_no_entries_for_a_suite_no_source_names(lists):
    assert entries("bullseye", *lists) == ""
