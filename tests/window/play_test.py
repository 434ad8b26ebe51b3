#!/usr/bin/env python3
"""Steering by the pointer's height and firing with the left button, through real X input."""

import time

import skyvane_window as sw


def shots_ahead(frame, craft):
    """Yellow shots on the craft's row, right of it."""
    box = (craft.right, craft.top, sw.WIDTH, craft.bottom)
    return [shot for shot in frame.blobs(sw.is_shot_yellow, box) if abs(shot.cy - craft.middle_y) <= 4]


def check_steering(game, report, height):
    def craft_at_height(frame):
        craft = sw.player_blob(frame)
        return craft is not None and abs(craft.middle_y - height) <= 3

    def step():
        game.steer_to(height)
        return game.wait_for(craft_at_height, 5, f"the craft at height {height}")

    frame = game.retrying_lost_runs(step)
    craft = sw.player_blob(frame)
    report.expect(abs(craft.cx - sw.PLAYER_X) <= 12, f"craft moved sideways to x={craft.cx:.0f}", frame)


def check_firing(game, report):
    def step():
        craft = sw.player_blob(game.screenshot())
        if craft is None:
            # An enemy ended the run just now: "You Lose!" shows, and a new run follows.
            raise sw.RunLost("no craft to fire from", game.last_frame)
        game.press(1)
        try:
            # A shot every 0.15 s at one width per second: several are on screen at once.
            game.wait_for(lambda frame: len(shots_ahead(frame, craft)) >= 2, 5, "shots right of the craft")
        finally:
            game.release(1)
        time.sleep(0.3)
        return game.wait_for(lambda frame: not shots_ahead(frame, craft), 3, "the shots to stop after release")

    game.retrying_lost_runs(step)


def main(args, report):
    with sw.Game(args.exe) as game:
        game.wait_window()
        for height in (160, 260):
            check_steering(game, report, height)
        check_firing(game, report)
        code = game.quit()
        report.expect(code == 0, f"close button: exit code {code}")


if __name__ == "__main__":
    sw.run_test(main, __doc__)
