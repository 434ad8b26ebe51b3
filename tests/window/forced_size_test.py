"""A window size the desktop forces on the game: the field drawn as large as fits, centred; the pointer
steers and the close button works where the picture shows them."""

import pytest

from game import Game
from moves import Field, wait_for_forced_size
from shared_checks import (  # noqa: F401 (run here, on this file's forced size)
    test_pointer_steers_where_the_field_is_drawn, test_close_button_works_where_it_is_drawn)


@pytest.fixture(scope="module", params=[(400, 300), (1920, 1080)], ids=["400x300", "1920x1080"])
def forced(request, exe, screen):
    """A game whose window was resized through X, and where its field should be."""
    width, height = request.param
    # A screen large enough for the largest window, whatever the test display is.
    with Game(exe, screen(2048, 1280)) as game:
        game.wait_window()
        game.xdotool("windowsize", game.window, width, height)
        field = Field(width, height)
        wait_for_forced_size(game, field)
        yield game, field


