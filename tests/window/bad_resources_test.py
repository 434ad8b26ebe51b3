#!/usr/bin/env python3
"""Each resource file missing or broken, or all gone mid-game: the game stops by itself with an error naming the
file, and exit code 1."""

import random
import shutil
import tempfile
from pathlib import Path

import skyvane_window as sw

RESOURCES = ["CloseNormal.png", "CloseSelected.png", "Player.png", "Projectile.png", "Bird.png", "Bomber.png",
             "Fighter.png", "fonts/Marker Felt.ttf"]


def missing(path):
    path.unlink()


def empty(path):
    path.write_bytes(b"")


def truncated(path):
    path.write_bytes(path.read_bytes()[:100])


def garbage(path):
    # Seeded by the name, so a failing case fails again on the next run.
    path.write_bytes(random.Random(path.name).randbytes(path.stat().st_size))


def check_case(exe, resource, damage, report):
    with tempfile.TemporaryDirectory(prefix="skyvane-resources-") as folder:
        copy = Path(folder) / exe.name
        shutil.copy2(exe, copy)
        shutil.copytree(exe.parent / "Resources", Path(folder) / "Resources")
        damage(Path(folder) / "Resources" / resource)
        with sw.Game(copy) as game:
            code = game.wait_exit(10)
            errors = game.errors()
    case = f"{resource} {damage.__name__}"
    naming = [line for line in errors.splitlines() if Path(resource).name in line]
    report.expect(code is not None, f"{case}: still running after 10 s")
    report.expect(code is None or code > 0, f"{case}: exit code {code}, want an error code (negative: a signal)")
    report.expect(bool(naming), f"{case}: no line on stderr names the file; stderr was:\n{errors}")


def check_resources_gone_mid_game(exe, report):
    """Resources removed during a run: the next run cannot be built, and the game ends as a failure."""
    with tempfile.TemporaryDirectory(prefix="skyvane-resources-") as folder:
        copy = Path(folder) / exe.name
        shutil.copy2(exe, copy)
        shutil.copytree(exe.parent / "Resources", Path(folder) / "Resources")
        with sw.Game(copy) as game:
            game.wait_window()
            shutil.rmtree(Path(folder) / "Resources")
            game.steer_to(0)
            code = game.wait_exit(sw.GAME_OVER_SECONDS + 15)
            errors = game.errors()
    report.expect(code == 1, f"resources gone mid-game: exit code {code}, want 1 (None: still running)")
    report.expect("Resources folder" in errors, f"resources gone mid-game: stderr does not say so:\n{errors}")


def main(args, report):
    check_resources_gone_mid_game(args.exe, report)
    for resource in RESOURCES:
        for damage in (missing, empty, truncated, garbage):
            check_case(args.exe, resource, damage, report)


if __name__ == "__main__":
    sw.run_test(main, __doc__)
