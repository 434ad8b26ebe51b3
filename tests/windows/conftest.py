"""The Windows build under Wine: tests/conftest.py's fixtures, the game launched by tools/windows/wine-run.sh.

  exe             the packaged skyvane.exe (--exe) with its folder copied where a player might
                  unzip it: a folder whose name is not ASCII
  launcher        wine-run.sh (--wine-run), which makes and removes a Wine prefix per game
  in_prefix       in_prefix(pid, COMMAND, ARGS...): window_control.exe (--window-control) run
                  in the Wine prefix of process pid, where it sees that process's windows
"""

import os
import shutil
import subprocess
from pathlib import Path

import pytest


def pytest_addoption(parser):
    parser.addoption("--wine-run", type=Path, help="tools/windows/wine-run.sh")
    parser.addoption("--window-control", type=Path, help="window_control.exe of the Windows tests")
    parser.addoption("--deps", type=Path, help="the dependency prefix skyvane.exe was linked from")


@pytest.fixture(scope="session")
def exe(request, tmp_path_factory):
    package = request.config.getoption("--exe").resolve()
    install = tmp_path_factory.mktemp("unzipped") / "Skyväne ✈ Spiel"
    shutil.copytree(package.parent, install)
    return install / package.name


@pytest.fixture(scope="session")
def launcher(request):
    return [str(request.config.getoption("--wine-run").resolve()), "--timeout", "300"]


# A fresh Wine prefix takes 15-20 s before the game even starts.
@pytest.fixture(scope="session")
def window_timeout():
    return 120


@pytest.fixture(scope="session")
def in_prefix(request):
    window_control = request.config.getoption("--window-control").resolve()

    def run(pid, *args):
        env = dict(os.environ)
        for entry in Path(f"/proc/{pid}/environ").read_bytes().split(b"\0"):
            key, _, value = entry.partition(b"=")
            if key in (b"DISPLAY", b"WINEPREFIX", b"WINEDEBUG", b"WINEDLLOVERRIDES"):
                env[key.decode()] = value.decode()
        return subprocess.run(["wine", str(window_control), *map(str, args)], env=env, capture_output=True,
                              text=True, timeout=90)

    return run
