#!/usr/bin/env python3
"""The window as a player first sees it, its statistics display, the close button, and starts without a display or
usable shaders."""

import os

import skyvane_window as sw


def text_in(frame, box):
    """The extent of all white text in the box, or None."""
    return sw.merged(frame.blobs(sw.is_text_white, box, min_pixels=1))


# 3.17's statistics display on its first frame: the ink of its three lines (left, top, right,
# bottom, inclusive), drawn in 12-px cells on baselines 7, 29 and 51 px above the window's bottom.
STATS_INK = (2, 575, 179, 632)
STATS_BOX = (0, 540, 260, sw.HEIGHT)
STATS_CELL = 12
CALLS_BASELINE = sw.HEIGHT - 22 - 7


def check_statistics_display(game, report):
    frame = game.wait_for(lambda shot: text_in(shot, STATS_BOX) is not None, 5, "the statistics display")
    ink = text_in(frame, STATS_BOX)
    span = (ink.left, ink.top, ink.right - 1, ink.bottom - 1)
    report.expect(all(abs(ours - theirs) <= 3 for ours, theirs in zip(span, STATS_INK)),
                  f"statistics ink spans {span}, 3.17's {STATS_INK}", frame)
    # "GL calls:     N": ink in every cell of "GL calls:" but the space, none in the five before
    # the one-digit count, which fills the 15th cell.
    inked = "".join("#" if frame.count(sw.is_text_white, (cell * STATS_CELL, CALLS_BASELINE - 18,
                                                          (cell + 1) * STATS_CELL, CALLS_BASELINE + 3)) else "."
                    for cell in range(16))
    report.expect(inked == "##.######.....#.", f"draw-call line by 12-px cells: {inked}", frame)


def check_first_frame(exe, report):
    with sw.Game(exe) as game:
        game.wait_window()
        frame = game.last_frame
        size = game.geometry()[2:]
        report.expect(size == (sw.WIDTH, sw.HEIGHT), f"window is {size[0]}x{size[1]}, not 960x640")
        report.expect(game.name() == sw.WINDOW_NAME, f"window title is {game.name()!r}")

        player = sw.player_blob(frame)
        report.expect(player is not None and abs(player.cx - sw.PLAYER_X) <= 12 and abs(player.middle_y - 320) <= 4,
                      f"craft not around (320, 320): {player}", frame)
        title = text_in(frame, (sw.WIDTH // 2 - 150, 0, sw.WIDTH // 2 + 150, 60))
        report.expect(title and abs((title.left + title.right) / 2 - sw.WIDTH / 2) <= 6,
                      f"no title centred at the top: {title}", frame)
        # The score label's centre sits one label width left of the right edge.
        score = text_in(frame, (sw.WIDTH - 300, 0, sw.WIDTH, 60))
        report.expect(score and abs((sw.WIDTH - score.right) - (score.right - score.left) / 2) <= 10,
                      f"no score label at the top right: {score}", frame)

        # The button is a circle of radius 20: most of its 40x40 square is red, nothing beside it.
        corner = (sw.WIDTH - 40, sw.HEIGHT - 40, sw.WIDTH, sw.HEIGHT)
        report.expect(frame.count(sw.is_close_red, corner) >= 500, "no red close button in the corner", frame)
        for beside in ((sw.WIDTH - 80, sw.HEIGHT - 40, sw.WIDTH - 42, sw.HEIGHT),
                       (sw.WIDTH - 40, sw.HEIGHT - 80, sw.WIDTH, sw.HEIGHT - 42)):
            report.expect(frame.count(sw.is_close_red, beside) == 0, f"red beyond the close button in {beside}", frame)

        check_statistics_display(game, report)

        code = game.quit(timeout=5)
        report.expect(code == 0, f"close button: exit code {code} (None: still running)\n{game.output()}")


def check_without_display(exe, report):
    env = {key: value for key, value in os.environ.items() if key not in ("DISPLAY", "WAYLAND_DISPLAY")}
    with sw.Game(exe, env=env) as game:
        code = game.wait_exit(30)
        lines = game.errors().splitlines()
    report.expect(code is not None and code > 0,
                  f"without a display: exit code {code}, want an error code (negative: a signal)")
    report.expect(len(lines) == 1 and lines[0].strip(), f"without a display: want one line on stderr, got {lines}")


def check_driver_refused(exe, report, env, what, naming):
    """A driver the game cannot draw with fails the start in one line, instead of showing a black window."""
    with sw.Game(exe, env=dict(sw.display_environment(), **env)) as game:
        code = game.wait_exit(30)
        lines = game.errors().splitlines()
    report.expect(code is not None and code > 0, f"{what}: exit code {code}, want an error code (None: still running)")
    report.expect(len(lines) == 1 and naming in lines[0], f"{what}: want one line saying {naming!r}, got {lines}")


def main(args, report):
    check_without_display(args.exe, report)
    # Mesa told to offer less than the game draws with: GLSL 1.00 has no shaders of version 1.10.
    check_driver_refused(args.exe, report, {"MESA_GL_VERSION_OVERRIDE": "2.0", "MESA_GLSL_VERSION_OVERRIDE": "100"},
                         "shaders that do not build", "cannot build the shaders")
    check_driver_refused(args.exe, report, {"MESA_GL_VERSION_OVERRIDE": "1.5"}, "OpenGL 1.5",
                         "offers OpenGL 1.5, and the game needs 2.0")
    check_first_frame(args.exe, report)


if __name__ == "__main__":
    sw.run_test(main, __doc__)
