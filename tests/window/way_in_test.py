"""The way in under real window managers: started minimised, with the window manager stopped, tiled from the
first frame, on a screen smaller than the window. The game idles while it cannot be seen, hears the close,
and plays the 960 x 640 field scaled into whatever window it was given."""

import os
import time
from collections import namedtuple
from pathlib import Path

import pytest

import real_desktops
from game import Game
from moves import wait_for_forced_size, wait_for_the_field_to_move

# A game that waits for its window busily takes most of a core (0.7 to 1.0 measured); a
# minimised one polls 60 times a second and takes well under 1 %. The bound sits far from both.
IDLE_SHARE = 0.2


def cpu_share(pid, seconds):
    """The share of one core the process used over the next seconds."""
    def used():
        fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

    before = used()
    time.sleep(seconds)
    return (used() - before) / seconds


def idle_share_while_hidden(game):
    """The game's CPU share over 3 s once it has had a second to start."""
    game.find_own_window(shown=False)
    time.sleep(1)
    share = cpu_share(game.process.pid, 3)
    print(f"CPU while hidden: {share:.1%} of a core")
    return share


def test_started_minimised_it_idles_and_a_close_ends_it(start_game, screen, tmp_path):
    display = screen(1280, 800)
    with real_desktops.openbox(display, tmp_path, real_desktops.STARTS_ICONIC) as desktop:
        game = start_game(display=display)
        share = idle_share_while_hidden(game)
        assert share < IDLE_SHARE, f"started minimised, the game took {share:.0%} of a core"
        desktop.request_close(game.find_own_window(shown=False))
        code = game.wait_exit(10)
        assert code == 0, f"closed before it was ever shown: exit code {code} (None: still running)"


def test_started_minimised_it_plays_once_restored(start_game, screen, tmp_path):
    display = screen(1280, 800)
    with real_desktops.openbox(display, tmp_path, real_desktops.STARTS_ICONIC) as desktop:
        game = start_game(display=display)
        window = game.find_own_window(shown=False)
        time.sleep(2)
        desktop.activate(window)
        assert desktop.wait_until_viewable(window, True), "openbox did not restore the game's window"
        game.wait_window()
        wait_for_the_field_to_move(game, game.last_frame)
        code = game.quit()
        assert code == 0, f"close button after a start minimised: exit code {code}"


def test_a_stopped_window_manager_costs_no_spin_and_the_game_comes_up_when_it_resumes(start_game, screen, tmp_path):
    display = screen(1280, 800)
    with real_desktops.openbox(display, tmp_path) as desktop:
        desktop.stall()
        game = start_game(display=display)
        try:
            share = idle_share_while_hidden(game)
        finally:
            desktop.resume()
        assert share < IDLE_SHARE, f"waiting on a stopped window manager, the game took {share:.0%} of a core"
        game.wait_window()
        wait_for_the_field_to_move(game, game.last_frame)


Desktop = namedtuple("Desktop", "screen_size start size_wanted window_size")

# i3 tiles the window on a large screen; openbox opens it on a screen smaller than 960 x 640.
DESKTOPS = {
    "tiled by i3": Desktop((1920, 1080), lambda display, folder: real_desktops.i3(
        display, folder, real_desktops.TILED_FROM_THE_START), lambda w, h: w > 1600 and h > 900, "the tile"),
    "on a 1024x600 screen": Desktop((1024, 600), real_desktops.openbox, lambda w, h: abs(w / h - 1.5) < 0.01,
                                    "3:2"),
}


@pytest.fixture(scope="module", params=list(DESKTOPS))
def framed(request, exe, screen, tmp_path_factory):
    desktop = DESKTOPS[request.param]
    display = screen(*desktop.screen_size)
    with desktop.start(display, tmp_path_factory.mktemp("desktop")) as window_manager, Game(exe, display) as game:
        yield desktop, real_desktops.Framed(game, window_manager, desktop.screen_size)


@pytest.fixture(scope="module")
def forced(framed):
    game, field = framed[1].game, framed[1].field
    wait_for_forced_size(game, field)
    return game, field


def test_the_window_has_the_size_the_desktop_gives_it(framed):
    desktop, window = framed
    width, height = window.placement[2:]
    assert desktop.size_wanted(width, height), f"window {width}x{height} is not {desktop.window_size}"


def test_the_window_and_its_frame_lie_on_the_screen(framed):
    _, window = framed
    assert window.within_screen(), \
        f"window at {window.placement} with frame {window.extents} leaves the {window.screen_size} screen"


def test_the_field_is_drawn_scaled_into_the_window_the_desktop_chose(forced):
    game, field = forced
    assert (field.width, field.height) != (960, 640), "the window manager did not size the window"
    craft = field.craft(game.screenshot())
    # The craft is 30 units high in the 960 x 640 field.
    assert craft is not None and abs((craft.bottom - craft.top) - 30 * field.scale) <= 3 + 2 * field.scale, \
        f"the craft {craft} is not drawn {field.scale:.2f} times as large as in a 960x640 window"


# Last, since the close ends the game: steering and the close button where the field is drawn.
from shared_checks import (  # noqa: E402,F401
    test_pointer_steers_where_the_field_is_drawn, test_close_button_works_where_it_is_drawn)
