"""The window as a player first sees it, its statistics display, the close button, and starts without a display or
usable shaders."""

import pytest

from picture import HEIGHT, PLAYER_X, WIDTH, WINDOW_NAME, is_close_red, is_text_white, merged, player_blob


def text_in(frame, box):
    """The extent of all white text in the box, or None."""
    return merged(frame.blobs(is_text_white, box, min_pixels=1))


# 3.17's statistics display on its first frame: the ink of its three lines (left, top, right,
# bottom, inclusive), drawn in 12-px cells on baselines 7, 29 and 51 px above the window's bottom.
STATS_INK = (2, 575, 179, 632)
STATS_BOX = (0, 540, 260, HEIGHT)
STATS_CELL = 12
CALLS_BASELINE = HEIGHT - 22 - 7


def test_without_a_display_it_exits_with_one_line(start_game):
    game = start_game(env={"DISPLAY": None, "WAYLAND_DISPLAY": None})
    code = game.wait_exit(30)
    lines = game.errors().splitlines()
    assert code is not None and code > 0, f"exit code {code}, want an error code (negative: a signal)"
    assert len(lines) == 1 and lines[0].strip(), f"want one line on stderr, got {lines}"


# A driver the game cannot draw with fails the start in one line, instead of showing a black window.
# Mesa told to offer less than the game draws with: GLSL 1.00 has no shaders of version 1.10.
@pytest.mark.parametrize("env, naming", [
    ({"MESA_GL_VERSION_OVERRIDE": "2.0", "MESA_GLSL_VERSION_OVERRIDE": "100"}, "cannot build the shaders"),
    ({"MESA_GL_VERSION_OVERRIDE": "1.5"}, "offers OpenGL 1.5, and the game needs 2.0"),
], ids=["shaders that do not build", "OpenGL 1.5"])
def test_a_driver_it_cannot_draw_with_ends_the_start_in_one_line(start_game, env, naming):
    game = start_game(env=env)
    code = game.wait_exit(30)
    lines = game.errors().splitlines()
    assert code is not None and code > 0, f"exit code {code}, want an error code (None: still running)"
    assert len(lines) == 1 and naming in lines[0], f"want one line saying {naming!r}, got {lines}"


def test_window_is_960x640_and_titled(game):
    size = game.geometry()[2:]
    assert size == (WIDTH, HEIGHT), f"window is {size[0]}x{size[1]}, not 960x640"
    assert game.name() == WINDOW_NAME


def test_craft_starts_at_the_left_halfway_up(first_frame):
    player = player_blob(first_frame)
    assert player is not None and abs(player.cx - PLAYER_X) <= 12 and abs(player.middle_y - 320) <= 4, \
        f"craft not around (320, 320): {player}"


def test_title_is_centred_at_the_top(first_frame):
    title = text_in(first_frame, (WIDTH // 2 - 150, 0, WIDTH // 2 + 150, 60))
    assert title and abs((title.left + title.right) / 2 - WIDTH / 2) <= 6, f"no title centred at the top: {title}"


def test_score_label_sits_at_the_top_right(first_frame):
    # The score label's centre sits one label width left of the right edge.
    score = text_in(first_frame, (WIDTH - 300, 0, WIDTH, 60))
    assert score and abs((WIDTH - score.right) - (score.right - score.left) / 2) <= 10, \
        f"no score label at the top right: {score}"


def test_close_button_is_a_red_circle_in_the_corner(first_frame):
    # The button is a circle of radius 20: most of its 40x40 square is red, nothing beside it.
    assert first_frame.count(is_close_red, (WIDTH - 40, HEIGHT - 40, WIDTH, HEIGHT)) >= 500
    for beside in ((WIDTH - 80, HEIGHT - 40, WIDTH - 42, HEIGHT), (WIDTH - 40, HEIGHT - 80, WIDTH, HEIGHT - 42)):
        assert first_frame.count(is_close_red, beside) == 0, f"red beyond the close button in {beside}"


@pytest.fixture(scope="module")
def statistics(game):
    return game.wait_for(lambda shot: text_in(shot, STATS_BOX) is not None, 5, "the statistics display")


def test_statistics_ink_spans_what_3_17_draws(statistics):
    ink = text_in(statistics, STATS_BOX)
    span = (ink.left, ink.top, ink.right - 1, ink.bottom - 1)
    assert all(abs(ours - theirs) <= 3 for ours, theirs in zip(span, STATS_INK)), \
        f"statistics ink spans {span}, 3.17's {STATS_INK}"


def test_statistics_draw_call_line_fills_its_cells(statistics):
    # "GL calls:     N": ink in every cell of "GL calls:" but the space, none in the five before
    # the one-digit count, which fills the 15th cell.
    inked = "".join("#" if statistics.count(is_text_white, (cell * STATS_CELL, CALLS_BASELINE - 18,
                                                            (cell + 1) * STATS_CELL, CALLS_BASELINE + 3)) else "."
                    for cell in range(16))
    assert inked == "##.######.....#.", f"draw-call line by 12-px cells: {inked}"


def test_close_button_quits(game):
    code = game.quit(timeout=5)
    assert code == 0, f"close button: exit code {code} (None: still running)\n{game.output()}"
