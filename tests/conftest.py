"""Fixtures of the checks that drive the real game on an X display.

Run through ctest (skyvane_pytest in tests/window/CMakeLists.txt), or directly, e.g.
    python3 -m pytest tests/window/play_test.py -k steering --exe build/release/bin/skyvane

Fixtures (support/window/game.py has Game, support/window/picture.py what a screenshot shows):
  exe         the executable (--exe; default build/release/bin/skyvane)
  display     the test display: $DISPLAY, which the ctest fixture's Xvfb sets; without one, a
              private Xvfb for the session from the same script, tools/ci/xvfb-fixture.sh
  screen      screen(width, height): a display of that screen size, from the same script,
              for the session
  game        a running Game on the display, its window up and the craft drawn, shared by the
              checks of one module (in file order) and killed after them
  first_frame the screenshot that showed game's first drawn frame
  start_game  start_game(display=None, env=None, cwd=None, exe=None): a Game the check
              starts itself (env: changes, None removes), killed after the check
  artifacts   the folder for screenshots (--artifacts)
A Game offers screenshot(), wait_for(condition), steer_to(y), move/press/release/click (XTest
through xdotool), quit() by the close button, wait_exit(), errors() and output().
A failed check leaves its game's last screenshot in artifacts/<check>.png and fails alone.
"""

import os
import re
import subprocess
import tempfile
from pathlib import Path

import pytest

pytest.register_assert_rewrite("shared_checks")
from game import Game, park_pointer  # noqa: E402

ROOT = Path(__file__).resolve().parents[1]
FIXTURE_SCRIPT = ROOT / "tools" / "ci" / "xvfb-fixture.sh"


def pytest_addoption(parser):
    parser.addoption("--exe", type=Path, default=ROOT / "build" / "release" / "bin" / "skyvane",
                     help="the game's executable")
    parser.addoption("--artifacts", type=Path, default=Path(tempfile.gettempdir()) / "skyvane-window-checks",
                     help="folder for screenshots of failed checks")


class Screens:
    """X servers started through the display fixture's script, one per screen size."""

    def __init__(self, folder):
        self.folder, self.started = Path(folder), {}

    def __call__(self, width, height):
        size = f"{width}x{height}"
        if size not in self.started:
            state = self.folder / size
            subprocess.run([FIXTURE_SCRIPT, "start", state, size], check=True, stdout=subprocess.DEVNULL)
            self.started[size] = (state / "display").read_text().strip()
        return self.started[size]

    def stop(self):
        for size in self.started:
            subprocess.run([FIXTURE_SCRIPT, "stop", self.folder / size], check=False)


@pytest.fixture(scope="session")
def screen(tmp_path_factory):
    screens = Screens(tmp_path_factory.mktemp("xvfb"))
    yield screens
    screens.stop()


@pytest.fixture(scope="session")
def display(screen):
    return os.environ.get("DISPLAY") or screen(1280, 800)


@pytest.fixture(scope="session")
def exe(request):
    return request.config.getoption("--exe").resolve()


@pytest.fixture(scope="session")
def artifacts(request):
    return request.config.getoption("--artifacts")


# Overridden where the game runs through a launcher (tests/windows/conftest.py: Wine).
@pytest.fixture(scope="session")
def launcher():
    return ()


@pytest.fixture(scope="session")
def window_timeout():
    return 30


@pytest.fixture(scope="module")
def game(exe, display, launcher, window_timeout):
    park_pointer(display)
    with Game(exe, display, launcher=launcher) as running:
        running.wait_window(window_timeout)
        yield running


@pytest.fixture(scope="module")
def first_frame(game):
    return game.last_frame


class Starter:
    """Starts games for one check and kills them after it."""

    def __init__(self, exe, display, launcher):
        self.exe, self.display, self.launcher, self.games = exe, display, launcher, []

    def __call__(self, display=None, env=None, cwd=None, exe=None):
        self.games.append(Game(exe or self.exe, display or self.display, env=env, cwd=cwd, launcher=self.launcher))
        return self.games[-1]


@pytest.fixture
def start_game(exe, display, launcher):
    starter = Starter(exe, display, launcher)
    yield starter
    for started in starter.games:
        started.close()


def last_screenshot(item, excinfo):
    frame = getattr(excinfo.value, "frame", None) if excinfo else None
    if frame is not None:
        return frame
    games = []
    for value in getattr(item, "funcargs", {}).values():
        games += value.games if isinstance(value, Starter) else [value] if isinstance(value, Game) else []
    frames = [started.last_frame for started in games if started.last_frame is not None]
    return frames[-1] if frames else None


@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item, call):
    outcome = yield
    report = outcome.get_result()
    if not report.failed:
        return
    frame = last_screenshot(item, call.excinfo)
    if frame is not None:
        name = re.sub(r"[^A-Za-z0-9_.-]+", "_", item.nodeid.split("/")[-1])
        path = frame.save_png(item.config.getoption("--artifacts") / f"{name}-{report.when}.png")
        report.sections.append(("screenshot", str(path)))

