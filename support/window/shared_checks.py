"""Checks the Linux and Wine check files share: a file imports them and pytest runs them there, with that file's
`game` (steering and fire) or `forced` (a game of a forced window size and its Field) fixture. They run in the
order they are imported, and the close-button check ends the game."""

import pytest

from moves import close_in_field, fire_and_cease, steer, steer_in_field
from picture import PLAYER_X, player_blob


@pytest.mark.parametrize("height", [160, 260])
def test_pointer_height_steers_the_craft_up_and_down_only(game, height):
    craft = player_blob(steer(game, height))
    assert abs(craft.cx - PLAYER_X) <= 12, f"craft moved sideways to x={craft.cx:.0f}"


def test_left_button_fires_while_held_and_stops_on_release(game):
    fire_and_cease(game)


def test_pointer_steers_where_the_field_is_drawn(forced):
    target, craft, tolerance = steer_in_field(*forced)
    assert craft is not None and abs(craft.middle_y - target) <= tolerance, \
        f"the pointer at y={target} put the craft at {craft}"


def test_close_button_works_where_it_is_drawn(forced):
    reds, code = close_in_field(*forced)
    assert all(reds), f"no close button drawn where the field puts it (red pixels at each try: {reds})"
    assert code == 0, f"close button: exit code {code}"
