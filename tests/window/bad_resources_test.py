"""Each resource file missing or broken, or all gone mid-game: the game stops by itself with an error naming the
file, and exit code 1."""

import random
import shutil
from pathlib import Path

import pytest

from picture import GAME_OVER_SECONDS

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


@pytest.fixture
def copy(exe, tmp_path):
    """The executable and its Resources copied to a folder of the check's own."""
    shutil.copy2(exe, tmp_path / exe.name)
    shutil.copytree(exe.parent / "Resources", tmp_path / "Resources")
    return tmp_path / exe.name


def test_resources_gone_mid_game_end_it_as_a_failure(start_game, copy):
    """Resources removed during a run: the next run cannot be built."""
    game = start_game(exe=copy)
    game.wait_window()
    shutil.rmtree(copy.parent / "Resources")
    game.steer_to(0)
    code = game.wait_exit(GAME_OVER_SECONDS + 15)
    errors = game.errors()
    assert code == 1, f"exit code {code}, want 1 (None: still running)"
    assert "Resources folder" in errors, f"stderr does not say so:\n{errors}"


@pytest.mark.parametrize("damage", [missing, empty, truncated, garbage], ids=lambda damage: damage.__name__)
@pytest.mark.parametrize("resource", RESOURCES, ids=lambda resource: Path(resource).name.replace(" ", "_"))
def test_a_damaged_file_stops_the_start_naming_it(start_game, copy, resource, damage):
    damage(copy.parent / "Resources" / resource)
    game = start_game(exe=copy)
    code = game.wait_exit(10)
    errors = game.errors()
    naming = [line for line in errors.splitlines() if Path(resource).name in line]
    assert code is not None, "still running after 10 s"
    assert code > 0, f"exit code {code}, want an error code (negative: a signal)"
    assert naming, f"no line on stderr names the file; stderr was:\n{errors}"
