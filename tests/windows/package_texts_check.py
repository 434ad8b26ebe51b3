"""Reads every text file of the Windows package as a player gets it, in the zip: each has
Windows line ends and no Debian path (which names nothing on Windows); README.txt names what is
linked into skyvane.exe and says how to get past SmartScreen; each font has its licence.

    package_texts_check.py ZIP
"""
import re
import sys
import zipfile

# An absolute path on Debian: a top folder after a space, a quote or a line start, not a URL's.
DEBIAN_PATH = re.compile(rb"(?<![\w.:/~-])/(?:usr|etc|var|opt|lib|lib64|bin|sbin|home|srv|tmp|root|boot|run|mnt)/")
README_NAMES = ("GLFW", "FreeType", "libpng", "zlib", "MinGW-w64", "libwinpthread", "libstdc++", "libgcc",
                "GCC Runtime Library Exception", "SmartScreen", "Windows protected your PC", "More info",
                "Run anyway")
# The exception's text and that of the licence it adds to, not just their names.
NOTICES_TEXTS = {"the GCC Runtime Library Exception 3.1": re.compile(rb"GCC RUNTIME LIBRARY EXCEPTION\s+Version 3\.1,"),
                 "the GNU GPL version 3": re.compile(rb"GNU GENERAL PUBLIC LICENSE\s+Version 3,")}


def text_faults(name, data):
    bare = [number for number, line in enumerate(data.split(b"\n")[:-1], 1) if not line.endswith(b"\r")]
    if bare:
        yield f"{name}:{bare[0]}: a line end without CR, {len(bare)} in all"
    for number, line in enumerate(data.split(b"\n"), 1):
        if b"/usr/share" in line or DEBIAN_PATH.search(line):
            yield f"{name}:{number}: a Debian path: {line.strip().decode(errors='replace')}"


def readme_faults(data):
    return [f"README.txt does not name {word!r}" for word in README_NAMES if word.encode() not in data]


def notices_faults(data):
    return [f"THIRD-PARTY-NOTICES.txt lacks {what}" for what, text in NOTICES_TEXTS.items() if not text.search(data)]


def faults(archive):
    names = archive.namelist()
    texts = {name: archive.read(name) for name in names if name.endswith(".txt")}
    found = []
    for name, data in texts.items():
        found += text_faults(name, data)
    for name, check in (("skyvane-windows/README.txt", readme_faults),
                        ("skyvane-windows/THIRD-PARTY-NOTICES.txt", notices_faults)):
        found += check(texts[name]) if name in texts else [f"no {name}"]
    fonts = [name for name in names if name.startswith("skyvane-windows/Resources/fonts/") and name.endswith(".ttf")]
    if not fonts:
        found.append("no font in skyvane-windows/Resources/fonts/")
    found += [f"no licence beside {font}" for font in fonts if font[:-len(".ttf")] + ".LICENSE.txt" not in texts]
    return found


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with zipfile.ZipFile(sys.argv[1]) as archive:
        found = faults(archive)
    for fault in found:
        print(fault)
    print(f"package_texts_check: {len(found)} faults" if found else "package_texts_check: passed")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
