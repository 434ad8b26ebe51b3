"""What a desktop does to the game's window: minimise and restore, and a close while minimised."""

import math
import time

import pytest

from moves import field_sprites, wait_for_the_field_to_move
from picture import HEIGHT, WIDTH, player_blob, shows_game_over
from window_manager import WindowManager

MINIMISED_SECONDS = 5.0
# Every enemy moves left at 320 to 480 units a second. Between the screenshots around a
# minimise the game runs only while the screenshots are taken; had it played on while
# minimised, every enemy would have crossed the field.
FASTEST = 480
SPRITE_SLACK = 60


def unmatched(before, after, reach):
    """Sprites of `before` with nothing in `after` within reach of where they were."""
    return [old for old in before if not any(math.hypot(old.cx - new.cx, old.cy - new.cy) <= reach for new in after)]


@pytest.fixture(scope="module")
def minimised(game, display):
    """The frames before a minimise with an enemy in sight and after the restore, and how long the game
    could have played in between (while screenshots were taken)."""
    with WindowManager(display) as desktop:
        def minimise_with_an_enemy_in_sight():
            game.steer_to(240)
            game.wait_for(field_sprites, 8, "an enemy on the field")
            shooting = time.monotonic()
            before = game.screenshot()
            desktop.iconify(game.window)
            playing = time.monotonic() - shooting
            time.sleep(MINIMISED_SECONDS)
            restoring = time.monotonic()
            desktop.restore(game.window)
            after = game.wait_for(lambda frame: player_blob(frame) is not None or shows_game_over(frame), 5,
                                  "the game drawn again after the restore", in_play=False)
            return before, after, playing + time.monotonic() - restoring

        return game.retrying_lost_runs(minimise_with_an_enemy_in_sight)


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
    reach = FASTEST * played + SPRITE_SLACK
    gone = unmatched(field_sprites(before), field_sprites(after, (0, 0, WIDTH, HEIGHT)), reach)
    assert not gone, (f"sprites moved on while the game was minimised (more than {reach:.0f} units in "
                      f"{played:.2f} s of screenshots): {gone}")


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
