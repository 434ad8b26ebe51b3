#!/usr/bin/env python3
"""Random pointer moves, presses and releases of every button; the game must keep drawing, then quit cleanly."""

import os
import random
import sys
import time
from pathlib import Path

# The window helpers it shares with the window tests; no bytecode cache left in the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "support" / "window"))
import skyvane_window as sw  # noqa: E402

# 1-3 the usual buttons, 4-7 the scroll wheels, 8-9 back and forward.
BUTTONS = range(1, 10)
# Longest a live game may show one picture: "You Lose!" stands still for 3 s.
STILL_LIMIT = 8.0


def random_point(rng):
    """A point in the window away from the close button, so no random click quits."""
    while True:
        x, y = rng.randrange(sw.WIDTH), rng.randrange(sw.HEIGHT)
        if x < sw.WIDTH - 70 or y < sw.HEIGHT - 70:
            return x, y


def random_action(game, rng, held):
    roll = rng.random()
    if roll < 0.5:
        game.move(*random_point(rng))
    elif roll < 0.75:
        button = rng.choice(BUTTONS)
        game.press(button)
        held.add(button)
    else:
        # Mostly held buttons, sometimes one that is up: a stray release must be harmless too.
        button = rng.choice(sorted(held)) if held and rng.random() < 0.8 else rng.choice(BUTTONS)
        game.release(button)
        held.discard(button)


class Liveness:
    """The process runs, its window answers, and its picture keeps changing."""

    def __init__(self, game):
        self.game, self.checks = game, 0
        self.last_frame, self.changed_at = game.screenshot(), time.monotonic()

    def check(self, report):
        self.checks += 1
        self.game.require_running("under the monkey")
        name = self.game.name()
        report.expect(name == sw.WINDOW_NAME, f"window title became {name!r}")
        frame = self.game.screenshot()
        if frame.rgb != self.last_frame.rgb:
            self.last_frame, self.changed_at = frame, time.monotonic()
        elif time.monotonic() - self.changed_at > STILL_LIMIT:
            raise sw.GameError(f"picture unchanged for {STILL_LIMIT} s: the game stopped drawing", frame)


def main(args, report):
    rng = random.Random(args.seed)
    held = set()
    actions = 0
    print(f"monkey: seed {args.seed}, {args.seconds:.0f} s")
    with sw.Game(args.exe) as game:
        game.wait_window()
        liveness = Liveness(game)
        start = next_check = time.monotonic()
        try:
            while time.monotonic() - start < args.seconds:
                random_action(game, rng, held)
                actions += 1
                time.sleep(rng.uniform(0, 0.1))
                if time.monotonic() >= next_check:
                    liveness.check(report)
                    next_check += args.check_every
        finally:
            for button in BUTTONS:
                game.release(button)
        code = game.quit()
        report.expect(code == 0, f"close button: exit code {code} (None: still running)\n{game.output()}")
    print(f"monkey: {actions} actions, {liveness.checks} liveness checks")


def add_arguments(parser):
    parser.add_argument("--seconds", type=float, default=120, help="how long to play (default 120)")
    parser.add_argument("--check-every", type=float, default=3, help="seconds between liveness checks (default 3)")
    # Fixed unless asked otherwise, so that a failure comes back when the run is repeated.
    parser.add_argument("--seed", type=int, default=int(os.environ.get("SKYVANE_MONKEY_SEED", "1")),
                        help="seed of the random actions (default: $SKYVANE_MONKEY_SEED, else 1)")


if __name__ == "__main__":
    sw.run_test(main, __doc__, add_arguments)
