#!/usr/bin/env python3
"""Plays whole runs of the real game: dodges while firing, loses, starts again, and quits by the close button.

Writes screenshots of every run into the output folder; --readme-shot also keeps the busiest one
(enemies and shots in view) for the README.
"""

import argparse
import os
import sys
import tempfile
import time
from pathlib import Path

# The window helpers it shares with the window checks; no bytecode cache left in the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "support" / "window"))
import picture as sw  # noqa: E402
from game import Game, GameError  # noqa: E402

CRAFT_HALF_HEIGHT = 16
LOOKAHEAD = 420
# Heights the craft may aim for, clear of the deadly top and bottom edges.
HEIGHTS = range(60, sw.HEIGHT - 59, 10)
SHOT_EVERY = 1.5


def threats(frame, craft):
    """Anything lit ahead of the craft or beside it, its own picture left out (coarse grid, for speed)."""
    box = (craft.left - 20, 0, craft.right + LOOKAHEAD, sw.HEIGHT)
    reach = CRAFT_HALF_HEIGHT + 2
    return [blob for blob in frame.blobs(sw.is_lit, box, step=2, min_pixels=8)
            if not (abs(blob.cx - sw.PLAYER_X) <= 26 and abs(blob.cy - craft.middle_y) <= reach)]


def danger(height, craft, blobs):
    cost = abs(height - craft.middle_y) * 0.05
    low, high = sorted((height, craft.middle_y))
    for blob in blobs:
        ahead = max(0, blob.left - craft.right)
        gap = max(0, abs(height - blob.cy) - (blob.bottom - blob.top) / 2 - CRAFT_HALF_HEIGHT)
        if gap < 40:
            cost += (40 - gap) / (1 + ahead / 120)
        # The move takes a quarter second: anything close beside the way there is hit on the way.
        if ahead < 150 and blob.top < high + CRAFT_HALF_HEIGHT and blob.bottom > low - CRAFT_HALF_HEIGHT:
            cost += 50
    return cost


def safest_height(frame, craft):
    blobs = threats(frame, craft)
    return min(HEIGHTS, key=lambda height: danger(height, craft, blobs))


def busyness(frame, craft):
    """(enemies, shots) in view right of the craft, for picking the README's screenshot."""
    field = (craft.right + 20, 60, sw.WIDTH, sw.HEIGHT - 60)
    return len(frame.blobs(sw.is_lit, field, step=2, min_pixels=150)), len(frame.blobs(sw.is_shot_yellow))


class Album:
    def __init__(self, folder):
        self.folder, self.written, self.best, self.best_score = folder, 0, None, (0, 0)

    def add(self, frame, name, craft=None):
        frame.save_png(self.folder / f"{self.written + 1:03d}-{name}.png")
        self.written += 1
        if craft is not None:
            enemies, shots = busyness(frame, craft)
            if enemies and shots >= 2 and (enemies, shots) > self.best_score:
                self.best, self.best_score = frame, (enemies, shots)


def play_run(game, run, seconds, album):
    """Plays until an enemy wins, or forces the loss at the top edge when the time is up."""
    game.press(1)
    started = time.monotonic()
    next_shot, forced_at, x_jitter = started, None, 0
    try:
        while True:
            frame = game.screenshot()
            now = time.monotonic()
            if sw.shows_game_over(frame):
                album.add(frame, f"run{run}-lost")
                return now - started, forced_at is not None
            if now - started > seconds + 20:
                raise GameError(f"run {run} neither went on nor ended", frame)
            craft = sw.player_blob(frame)
            if craft is None:
                continue
            if now >= next_shot:
                album.add(frame, f"run{run}", craft)
                next_shot += SHOT_EVERY
            if forced_at is None and now - started > seconds:
                forced_at = now
                game.steer_to(0)
            elif forced_at is None:
                # A new pointer position each time, so the game always sees a move.
                x_jitter ^= 1
                game.move(sw.PLAYER_X + 200 + x_jitter, safest_height(frame, craft))
    finally:
        game.release(1)


def play(game, runs, run_seconds, album):
    """Plays runs through "You Lose!" to the next run; returns (seconds, forced into the edge) of each."""
    played = []
    for run in range(1, runs + 1):
        played.append(play_run(game, run, run_seconds, album))
        print(f"run {run}: {played[-1][0]:.1f} s, "
              f"{'forced into the top edge' if played[-1][1] else 'lost to the enemies'}")
        game.wait_for_next_run()
    album.add(game.screenshot(), "before-quit")
    return played


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("exe", type=Path, help="the skyvane executable; the display is $DISPLAY")
    parser.add_argument("--runs", type=int, default=3, help="runs to play through to 'You Lose!' (default 3)")
    parser.add_argument("--run-seconds", type=float, default=20, help="longest run before a forced loss (default 20)")
    parser.add_argument("--out", type=Path, default=Path(tempfile.gettempdir()) / "skyvane-playtest",
                        help="folder for the screenshots")
    parser.add_argument("--readme-shot", type=Path, help="where to write the README's screenshot (docs/screenshot.png)")
    args = parser.parse_args()
    args.out.mkdir(parents=True, exist_ok=True)
    album = Album(args.out)
    with Game(args.exe, os.environ["DISPLAY"]) as game:
        game.wait_window()
        play(game, args.runs, args.run_seconds, album)
        code = game.quit()
    print(f"playtest: {args.runs} runs played, {album.written} screenshots in {args.out}, game exit code {code}")
    if not args.readme_shot:
        return 0 if code == 0 else 1
    if album.best is None:
        print("no screenshot showed enemies and shots together", file=sys.stderr)
        return 1
    album.best.save_png(args.readme_shot)
    print(f"README screenshot ({album.best_score[0]} enemies, {album.best_score[1]} shots): {args.readme_shot}")
    return 0 if code == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
