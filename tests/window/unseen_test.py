"""While the player cannot see the window, for whatever reason, the game waits: a workspace switched away,
a button let go meanwhile, a window manager that died while the game was minimised, a window another
program destroyed."""

import time

import pytest

import real_desktops
from game import Game, xdotool
from moves import field_sprites, hidden_for_a_while, shots_ahead, sprites_that_moved_on, wait_for_the_field_to_move
from picture import player_blob
from window_manager import WindowManager

HIDDEN_SECONDS = 5.0


@pytest.fixture(scope="module")
def workspace_switched(exe, screen, tmp_path_factory):
    """Under i3, the game's workspace switched away for a while and back: (game, frames before and after)."""
    display = screen(1920, 1080)
    folder = tmp_path_factory.mktemp("i3-workspaces")
    with real_desktops.i3(display, folder), Game(exe, display) as game:
        game.wait_window()
        hidden = hidden_for_a_while(game, lambda: real_desktops.i3_command(display, "workspace 2"),
                                    lambda: real_desktops.i3_command(display, "workspace 1"), HIDDEN_SECONDS)
        yield (game, *hidden)


def test_a_workspace_switched_away_pauses_the_run(workspace_switched):
    game, before, after, played = workspace_switched
    gone = sprites_that_moved_on(before, after, played)
    assert not gone, f"sprites moved on while the game's workspace was not shown: {gone}"


def test_the_field_moves_again_when_the_workspace_is_back(workspace_switched):
    game, _, after, _ = workspace_switched
    wait_for_the_field_to_move(game, after)


def test_a_button_let_go_while_the_window_was_hidden_is_not_held_after(game, display):
    with WindowManager(display) as desktop:
        # Keyboard focus on no window: the hide brings the game no focus change, whose loss
        # would let go of the button on its own.
        desktop.focus_nowhere()

        def fire_hide_release_restore():
            craft = player_blob(game.steer_to(320))
            game.press(1)
            try:
                game.wait_for(lambda frame: len(shots_ahead(frame, craft)) >= 2, 5, "shots right of the craft")
                desktop.iconify(game.window)
                time.sleep(0.5)
            finally:
                game.release(1)
            time.sleep(0.5)
            desktop.restore(game.window)
            return craft

        craft = game.retrying_lost_runs(fire_hide_release_restore)
        game.wait_for(lambda frame: player_blob(frame) is not None, 5, "the craft drawn again after the restore")
        # The shots of before the hide fly off within a second; a held button would add more.
        game.wait_for(lambda frame: not shots_ahead(frame, craft), 4, "the shots to stop after the restore")


def test_a_window_manager_that_dies_while_the_game_is_minimised_leaves_it_playing(start_game, screen, tmp_path):
    display = screen(1280, 800)
    with real_desktops.openbox(display, tmp_path) as desktop:
        game = start_game(display=display)
        game.wait_window()
        desktop.minimise(game.window)
        assert desktop.wait_until_viewable(game.window, False), "openbox did not minimise the game"
        desktop.kill()
        # The X server maps the windows of a window manager that died; the game sees its window again.
        game.wait_for(lambda frame: field_sprites(frame), 10, "an enemy on the field", in_play=False)
        wait_for_the_field_to_move(game, game.last_frame)


def test_a_window_destroyed_by_another_program_ends_the_game_with_one_line(start_game):
    game = start_game()
    game.wait_window()
    xdotool(game.display, "windowclose", game.window)
    code = game.wait_exit(10)
    assert code == 1, f"window destroyed: exit code {code} (None: still running)"
    lines = game.errors().strip().splitlines()
    assert len(lines) == 1, f"the game said more than one line:\n{game.errors()}"
