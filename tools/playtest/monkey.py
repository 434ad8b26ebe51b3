#!/usr/bin/env python3
"""Random pointer moves, presses and releases of every button; the game must keep drawing, then quit cleanly."""

import argparse
import os
import random
import sys
import time
from pathlib import Path

# The window helpers it shares with the window checks; no bytecode cache left in the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "support" / "window"))
import picture as sw  # noqa: E402
from game import Game, GameError  # noqa: E402

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

    def check(self):
        self.checks += 1
        self.game.require_running("under the monkey")
        name = self.game.name()
        if name != sw.WINDOW_NAME:
            raise GameError(f"window title became {name!r}")
        frame = self.game.screenshot()
        if not frame.same_as(self.last_frame):
            self.last_frame, self.changed_at = frame, time.monotonic()
        elif time.monotonic() - self.changed_at > STILL_LIMIT:
            raise GameError(f"picture unchanged for {STILL_LIMIT} s: the game stopped drawing", frame)


def play(game, seconds, seed, check_every=3.0):
    """Random actions for that long, the game's liveness checked every check_every s; returns (actions, checks)."""
    rng = random.Random(seed)
    held = set()
    actions = 0
    print(f"monkey: seed {seed}, {seconds:.0f} s")
    liveness = Liveness(game)
    start = next_check = time.monotonic()
    try:
        while time.monotonic() - start < seconds:
            random_action(game, rng, held)
            actions += 1
            time.sleep(rng.uniform(0, 0.1))
            if time.monotonic() >= next_check:
                liveness.check()
                next_check += check_every
    finally:
        for button in BUTTONS:
            game.release(button)
    print(f"monkey: {actions} actions, {liveness.checks} liveness checks")
    return actions, liveness.checks


def seed_from_environment():
    # Fixed unless asked otherwise, so that a failure comes back when the run is repeated.
    return int(os.environ.get("SKYVANE_MONKEY_SEED", "1"))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("exe", type=Path, help="the skyvane executable; the display is $DISPLAY")
    parser.add_argument("--seconds", type=float, default=120, help="how long to play (default 120)")
    parser.add_argument("--seed", type=int, default=seed_from_environment(),
                        help="seed of the random actions (default: $SKYVANE_MONKEY_SEED, else 1)")
    args = parser.parse_args()
    with Game(args.exe, os.environ["DISPLAY"]) as game:
        game.wait_window()
        play(game, args.seconds, args.seed)
        code = game.quit()
    print(f"monkey: game exit code {code}")
    return 0 if code == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
