"""Short runs of the playtest driver and the monkey (tools/playtest) on the real game."""

import monkey
import playtest


def test_playtest_plays_runs_through_you_lose_and_quits(start_game, tmp_path):
    game = start_game()
    game.wait_window()
    album = playtest.Album(tmp_path)
    played = playtest.play(game, runs=2, run_seconds=10, album=album)
    assert len(played) == 2
    code = game.quit()
    assert code == 0, f"close button: exit code {code} (None: still running)\n{game.output()}"


def test_monkey_input_keeps_the_game_drawing_and_it_quits(start_game):
    game = start_game()
    game.wait_window()
    monkey.play(game, seconds=20, seed=monkey.seed_from_environment())
    code = game.quit()
    assert code == 0, f"close button: exit code {code} (None: still running)\n{game.output()}"
