"""The Windows build under Wine and openbox on a screen smaller than its window: the window opens within the
screen's work area, title bar included, and the field is drawn into it; the pointer steers and the close button
works where the picture shows them."""

import pytest

import real_desktops
from game import Game
from moves import wait_for_forced_size

SCREEN = (1024, 600)


@pytest.fixture(scope="module")
def framed(exe, screen, launcher, window_timeout, tmp_path_factory):
    display = screen(*SCREEN)
    with real_desktops.openbox(display, tmp_path_factory.mktemp("openbox")) as desktop, \
            Game(exe, display, launcher=launcher) as game:
        yield real_desktops.Framed(game, desktop, SCREEN, window_timeout)


@pytest.fixture(scope="module")
def forced(framed):
    wait_for_forced_size(framed.game, framed.field)
    return framed.game, framed.field


def test_the_window_and_its_frame_lie_on_the_small_screen(framed):
    assert framed.within_screen(), \
        f"window at {framed.placement} with frame {framed.extents} leaves the {SCREEN} screen"


# Last, since the close ends the game.
from shared_checks import (  # noqa: E402,F401
    test_pointer_steers_where_the_field_is_drawn, test_close_button_works_where_it_is_drawn)
