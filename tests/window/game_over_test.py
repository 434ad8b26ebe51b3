#!/usr/bin/env python3
"""Touching the top edge ends the run: "You Lose!" for a while, then a fresh run."""

import time

import skyvane_window as sw

STATISTICS = (0, sw.HEIGHT - 80, 200, sw.HEIGHT)


def main(args, report):
    with sw.Game(args.exe) as game:
        game.wait_window()
        game.steer_to(0)
        lost = game.wait_for(sw.shows_game_over, 5, '"You Lose!" after touching the top edge', in_play=False)
        shown_at = time.monotonic()
        # Only the message and the statistics in the bottom-left corner remain.
        leftovers = lost.count(sw.is_lit) - lost.count(sw.is_lit, sw.MESSAGE_BOX) - lost.count(sw.is_lit, STATISTICS)
        report.expect(leftovers == 0, f"{leftovers} lit pixels of the playfield left around the message", lost)

        fresh = game.wait_for_next_run(timeout=sw.GAME_OVER_SECONDS + 10)
        shown_for = time.monotonic() - shown_at
        # Only a lower bound: a slow machine shows the message longer, never shorter.
        report.expect(shown_for >= sw.GAME_OVER_SECONDS - 1, f'"You Lose!" shown only {shown_for:.1f} s', lost)
        craft = sw.player_blob(fresh)
        report.expect(abs(craft.middle_y - sw.HEIGHT / 2) <= 4, f"fresh run's craft at y={craft.middle_y}", fresh)

        code = game.quit()
        report.expect(code == 0, f"close button: exit code {code}")


if __name__ == "__main__":
    sw.run_test(main, __doc__)
