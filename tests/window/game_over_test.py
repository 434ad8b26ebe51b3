"""Touching the top edge ends the run: "You Lose!" for a while, then a fresh run."""

import time

import pytest

from game import Game
from picture import GAME_OVER_SECONDS, HEIGHT, MESSAGE_BOX, is_lit, player_blob, shows_game_over

STATISTICS = (0, HEIGHT - 80, 200, HEIGHT)
EMPTY_FONTCONFIG = '<?xml version="1.0"?>\n<fontconfig></fontconfig>\n'


@pytest.fixture(scope="module", params=["usual", "fontconfig finds no font"])
def lost(request, exe, display, tmp_path_factory):
    """A game whose craft touched the top edge, the first frame of "You Lose!", and when it showed.

    A system whose fontconfig finds no font at all gets the message in the face the game ships.
    """
    env = {}
    if request.param != "usual":
        empty = tmp_path_factory.mktemp("fontconfig") / "fonts.conf"
        empty.write_text(EMPTY_FONTCONFIG)
        env["FONTCONFIG_FILE"] = str(empty)
    with Game(exe, display, env=env) as game:
        game.wait_window()
        game.steer_to(0)
        frame = game.wait_for(shows_game_over, 5, '"You Lose!" after touching the top edge', in_play=False)
        yield game, frame, time.monotonic()


def test_only_the_message_and_the_statistics_remain(lost):
    _, frame, _ = lost
    leftovers = frame.count(is_lit) - frame.count(is_lit, MESSAGE_BOX) - frame.count(is_lit, STATISTICS)
    assert leftovers == 0, f"{leftovers} lit pixels of the playfield left around the message"


def test_message_shows_its_time_then_a_fresh_run_starts(lost):
    game, _, shown_at = lost
    fresh = game.wait_for_next_run(timeout=GAME_OVER_SECONDS + 10)
    shown_for = time.monotonic() - shown_at
    # Only a lower bound: a slow machine shows the message longer, never shorter.
    assert shown_for >= GAME_OVER_SECONDS - 1, f'"You Lose!" shown only {shown_for:.1f} s'
    craft = player_blob(fresh)
    assert abs(craft.middle_y - HEIGHT / 2) <= 4, f"fresh run's craft at y={craft.middle_y}"


def test_close_button_quits_after_a_lost_run(lost):
    game, _, _ = lost
    code = game.quit()
    assert code == 0, f"close button: exit code {code}"
