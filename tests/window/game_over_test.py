#!/usr/bin/env python3
"""Touching the top edge ends the run: "You Lose!" for a while, then a fresh run."""

import tempfile
import time
from pathlib import Path

import skyvane_window as sw

STATISTICS = (0, sw.HEIGHT - 80, 200, sw.HEIGHT)


def check_game_over(exe, report, env=None, setting=""):
    with sw.Game(exe, env=env) as game:
        game.wait_window()
        game.steer_to(0)
        lost = game.wait_for(sw.shows_game_over, 5, f'"You Lose!" after touching the top edge{setting}',
                             in_play=False)
        shown_at = time.monotonic()
        # Only the message and the statistics in the bottom-left corner remain.
        leftovers = lost.count(sw.is_lit) - lost.count(sw.is_lit, sw.MESSAGE_BOX) - lost.count(sw.is_lit, STATISTICS)
        report.expect(leftovers == 0, f"{leftovers} lit pixels of the playfield left around the message{setting}", lost)

        fresh = game.wait_for_next_run(timeout=sw.GAME_OVER_SECONDS + 10)
        shown_for = time.monotonic() - shown_at
        # Only a lower bound: a slow machine shows the message longer, never shorter.
        report.expect(shown_for >= sw.GAME_OVER_SECONDS - 1, f'"You Lose!" shown only {shown_for:.1f} s{setting}', lost)
        craft = sw.player_blob(fresh)
        report.expect(abs(craft.middle_y - sw.HEIGHT / 2) <= 4, f"fresh run's craft at y={craft.middle_y}", fresh)

        code = game.quit()
        report.expect(code == 0, f"close button: exit code {code}{setting}")


def main(args, report):
    check_game_over(args.exe, report)
    # A system whose fontconfig finds no font at all: the message comes in the face the game ships.
    with tempfile.TemporaryDirectory(prefix="skyvane-fontconfig-") as folder:
        empty = Path(folder) / "fonts.conf"
        empty.write_text('<?xml version="1.0"?>\n<fontconfig></fontconfig>\n')
        env = dict(sw.display_environment(), FONTCONFIG_FILE=str(empty))
        check_game_over(args.exe, report, env, " (fontconfig finds no font)")


if __name__ == "__main__":
    sw.run_test(main, __doc__)
