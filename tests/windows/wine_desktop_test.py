"""The Windows build under Wine as Windows treats its window: a close while minimised, a size forced on it, and the
message box of a start without its resources."""

import shutil
import time

import pytest

from game import Game, find_window, xdotool
from moves import Field, wait_for_forced_size
from shared_checks import (  # noqa: F401 (run here, on this file's forced size)
    test_pointer_steers_where_the_field_is_drawn, test_close_button_works_where_it_is_drawn)
from picture import WINDOW_NAME


def test_close_while_minimised_ends_the_game(start_game, in_prefix, window_timeout):
    """WM_CLOSE to a minimised game, as its taskbar button's Close does: it exits with 0."""
    game = start_game()
    game.wait_window(window_timeout)
    pid = game.window_pid()
    for command in ("minimize", "close"):
        done = in_prefix(pid, command, WINDOW_NAME)
        assert done.returncode == 0, f"window_control {command}: exit code {done.returncode}"
    code = game.wait_exit(60)
    assert code == 0, f"closed while minimised: exit code {code} (None: still running)"


@pytest.fixture(scope="module")
def forced(exe, display, launcher, window_timeout, in_prefix):
    """A game resized to 400x300 as Windows does it, and where its field should be."""
    with Game(exe, display, launcher=launcher) as game:
        game.wait_window(window_timeout)
        done = in_prefix(game.window_pid(), "resize", WINDOW_NAME, 400, 300)
        assert done.returncode == 0, f"window_control resize: exit code {done.returncode}"
        field = Field(400, 300)
        wait_for_forced_size(game, field)
        yield game, field


# Its own wait for the box is 120 s, so that a box that never shows is reported as that.
@pytest.mark.timeout(200)
def test_without_resources_a_message_box_says_what_to_do(start_game, exe, in_prefix, tmp_path):
    """Run from inside the zip, the exe has no Resources beside it: a message box titled as the window says what to
    do, with no game window beside it to bury it, and the game exits 1."""
    alone = tmp_path / exe.name
    shutil.copy2(exe, alone)
    game = start_game(exe=alone)
    deadline = time.monotonic() + 120
    box = None
    # The game's window is never shown when its start fails, so the one window of that title is the box.
    while box is None and game.running() and time.monotonic() < deadline:
        box = find_window(game.display, WINDOW_NAME)
        time.sleep(0.5)
    assert box, f"no message box titled {WINDOW_NAME!r} showed; the game said:\n{game.output()}"
    shown = in_prefix(int(xdotool(game.display, "getwindowpid", box)), "dismiss-box", WINDOW_NAME)
    assert shown.returncode == 0, f"window_control dismiss-box: exit code {shown.returncode}"
    assert "Unzip the whole folder and run skyvane.exe there" in shown.stdout, \
        f"the box does not say what to do: {shown.stdout!r}"
    assert "windows it can sink under: 0" in shown.stdout, f"a game window beside the box: {shown.stdout!r}"
    code = game.wait_exit(60)
    assert code == 1, f"without Resources: exit code {code}, want 1 (None: still running)"
