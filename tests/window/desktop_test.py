"""What a desktop does to the game's window: minimise and restore, and a close while minimised."""

import time

import pytest

from moves import hidden_for_a_while, sprites_that_moved_on, wait_for_the_field_to_move
from picture import player_blob, shows_game_over
from window_manager import WindowManager

MINIMISED_SECONDS = 5.0


@pytest.fixture(scope="module")
def minimised(game, display):
    """The frames before a minimise with an enemy in sight and after the restore, and how long the game
    could have played in between (while screenshots were taken)."""
    with WindowManager(display) as desktop:
        return hidden_for_a_while(game, lambda: desktop.iconify(game.window), lambda: desktop.restore(game.window),
                                  MINIMISED_SECONDS)


def test_the_run_goes_on_after_a_restore(minimised):
    _, after, _ = minimised
    assert not shows_game_over(after), "the run was lost while the game was minimised"


def test_the_craft_stays_put_while_minimised(minimised):
    before, after, _ = minimised
    craft_before, craft_after = player_blob(before), player_blob(after)
    assert craft_after is not None and abs(craft_after.middle_y - craft_before.middle_y) <= 3, \
        f"the craft moved while minimised: {craft_before} then {craft_after}"


def test_enemies_stay_put_while_minimised(minimised):
    before, after, played = minimised
    gone = sprites_that_moved_on(before, after, played)
    assert not gone, f"sprites moved on while the game was minimised ({played:.2f} s of screenshots): {gone}"


def test_the_field_moves_again_after_a_restore(game, minimised):
    wait_for_the_field_to_move(game, minimised[1])


def test_close_button_quits_after_a_restore(game, minimised):
    game.wait_for_next_run()
    code = game.quit()
    assert code == 0, f"close button after a restore: exit code {code} (None: still running)"


def test_close_while_minimised_ends_the_game(start_game, display):
    game = start_game()
    game.wait_window()
    with WindowManager(display) as desktop:
        desktop.iconify(game.window)
        time.sleep(0.5)
        desktop.request_close(game.window)
    code = game.wait_exit(10)
    assert code == 0, f"closed while minimised: exit code {code} (None: still running)"
