"""The built Windows package, read without running it: skyvane.exe's resources as Debian's icoutils
read them (the icon named for GLFW, the version, the manifest), what the reproducible build
promises (no time stamp, no build path, a zip in sorted order with one file time), and the two
texts in the zip.

  --exe   the packaged skyvane.exe, beside it the zip (BUILD/skyvane-windows.zip)
  --deps  the dependency prefix it was linked from
"""

import re
import struct
import subprocess
import zipfile
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parents[2]
SUPPORTED_OS = ["35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"]
README_NEEDS = ["skyvane.exe", "Windows 7", "OpenGL 2.0", "does not start", "THIRD-PARTY-NOTICES.txt"]


@pytest.fixture(scope="module")
def exe(request):
    return request.config.getoption("--exe").resolve()


@pytest.fixture(scope="module")
def deps(request):
    return request.config.getoption("--deps").resolve()


@pytest.fixture(scope="module")
def package_zip(exe):
    return zipfile.ZipFile(exe.parent.with_suffix(".zip"))


def resource(exe, *selection):
    """a resource of the exe as wrestool extracts it (--raw: as stored)"""
    return subprocess.run(["wrestool", "-x", *selection, str(exe)], check=True, capture_output=True).stdout


def version_value(exe, key):
    """a key's value in the version resource (UTF-16, its binary lengths between the strings)"""
    strings = [text for text in resource(exe, "--raw", "--type=16").decode("utf-16-le", "replace").split("\0") if text]
    return next(value for name, value in zip(strings, strings[1:]) if name.endswith(key))


def project_version():
    return re.search(r"^project\(Skyvane VERSION ([0-9.]+)", (ROOT / "CMakeLists.txt").read_text(), re.M)[1]


def icon_pictures(ico, folder):
    """the pictures of an icon file as PNG files, by name, and their widths"""
    folder.mkdir()
    widths = re.findall(r"--width=(\d+)", subprocess.run(["icotool", "-l", str(ico)], check=True,
                                                         capture_output=True, text=True).stdout)
    subprocess.run(["icotool", "-x", "-o", str(folder), str(ico)], check=True)
    return {path.name.replace(ico.stem, ""): path.read_bytes() for path in folder.iterdir()}, widths


def test_icon_group_is_named_for_glfw(exe):
    listing = subprocess.run(["wrestool", "-l", str(exe)], check=True, capture_output=True, text=True).stdout
    assert "--type=14 --name='GLFW_ICON'" in listing


def test_icon_holds_the_committed_pictures(exe, tmp_path):
    embedded = tmp_path / "embedded.ico"
    embedded.write_bytes(resource(exe, "--type=14", "--name=GLFW_ICON"))
    pictures, widths = icon_pictures(embedded, tmp_path / "embedded")
    assert widths == ["16", "24", "32", "48", "64", "256"]
    assert pictures == icon_pictures(ROOT / "resources" / "skyvane.ico", tmp_path / "committed")[0]


@pytest.mark.parametrize("key", ["ProductName", "FileVersion", "ProductVersion"])
def test_version_names_the_project(exe, key):
    assert version_value(exe, key) == ("Skyvane" if key == "ProductName" else project_version())


def test_version_describes_the_file(exe):
    assert version_value(exe, "FileDescription")
    assert version_value(exe, "LegalCopyright").startswith("Copyright")


@pytest.mark.parametrize("needed", ['level="asInvoker"', ">unaware</dpiAwareness>", ">UTF-8</activeCodePage>"]
                         + [f'<supportedOS Id="{{{os}}}"/>' for os in SUPPORTED_OS])
def test_manifest(exe, needed):
    assert needed in resource(exe, "--raw", "--type=24").decode()


def test_no_link_time_stamp(exe):
    data = exe.read_bytes()
    header = struct.unpack_from("<I", data, 0x3C)[0]
    assert struct.unpack_from("<I", data, header + 8)[0] == 0


def test_no_build_path(exe, deps):
    data = exe.read_bytes()
    for path in (ROOT, exe.parents[1], deps):
        assert str(path).encode() not in data


def zipped_text(package_zip, name):
    """a text of the zip, which must have Windows line ends only"""
    text = package_zip.read(f"skyvane-windows/{name}")
    lines = text.split(b"\n")
    assert text and all(line.endswith(b"\r") for line in lines[:-1] + [lines[-1] or b"\r"])
    return text


@pytest.mark.parametrize("needed", README_NEEDS)
def test_readme_says(package_zip, needed):
    assert needed.encode() in zipped_text(package_zip, "README.txt")


def test_notices_credit_freetype(package_zip):
    credit = rb"(?m)^Portions of this software are copyright \(C\) 20\d\d The FreeType Project \(www\.freetype\.org\)\."
    assert re.search(credit, zipped_text(package_zip, "THIRD-PARTY-NOTICES.txt"))


def notice_carried(package_zip, tmp_path, source_line, copyright_file):
    """the source package's line, then its copyright file as Windows gets it (cmake/WindowsText.cmake)"""
    notices = zipped_text(package_zip, "THIRD-PARTY-NOTICES.txt")
    assert f"Debian source package: {source_line}\r\n".encode() in notices
    converted = tmp_path / "notice.txt"
    subprocess.run(["cmake", f"-DSOURCE={copyright_file}", f"-DTARGET={converted}", "-P",
                    str(ROOT / "cmake" / "WindowsTextFile.cmake")], check=True)
    body = converted.read_bytes().split(b"\r\n\r\n" + b"=" * 78 + b"\r\nTexts referred to above")[0]
    assert body in notices


@pytest.mark.parametrize("name", ["freetype", "libpng", "glfw"])
def test_notice_of_built_library(package_zip, deps, tmp_path, name):
    doc = deps / "share" / "doc" / name
    notice_carried(package_zip, tmp_path, (doc / "source").read_text().strip(), doc / "copyright")


@pytest.mark.parametrize("package", ["libz-mingw-w64-dev", "mingw-w64-x86-64-dev"])
def test_notice_of_installed_package(package_zip, tmp_path, package):
    source_line = subprocess.run(["dpkg-query", "-W", "-f=${source:Package} ${source:Version}", package],
                                 check=True, capture_output=True, text=True).stdout
    notice_carried(package_zip, tmp_path, source_line, f"/usr/share/doc/{package}/copyright")


def test_zip_entries_sorted(package_zip):
    names = [name.encode() for name in package_zip.namelist()]
    assert names == sorted(names)


def test_zip_has_one_file_time(package_zip):
    assert len({entry.date_time for entry in package_zip.infolist()}) == 1
