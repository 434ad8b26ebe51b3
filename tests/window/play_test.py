"""Steering by the pointer's height and firing with the left button, through real X input."""

from shared_checks import (  # noqa: F401 (run here, on this file's game)
    test_pointer_height_steers_the_craft_up_and_down_only, test_left_button_fires_while_held_and_stops_on_release)


def test_close_button_quits(game):
    code = game.quit()
    assert code == 0, f"close button: exit code {code}"
