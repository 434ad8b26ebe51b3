"""Steering by the pointer's height and firing with the left button, through real X input."""

import pytest

from moves import fire_and_cease, steer
from picture import PLAYER_X, player_blob


@pytest.mark.parametrize("height", [160, 260])
def test_pointer_height_steers_the_craft_up_and_down_only(game, height):
    craft = player_blob(steer(game, height))
    assert abs(craft.cx - PLAYER_X) <= 12, f"craft moved sideways to x={craft.cx:.0f}"


def test_left_button_fires_while_held_and_stops_on_release(game):
    fire_and_cease(game)


def test_close_button_quits(game):
    code = game.quit()
    assert code == 0, f"close button: exit code {code}"
