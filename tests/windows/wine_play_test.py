"""The Windows build played under Wine: its window and icon, steering, fire, minimise and restore, and the close
button; prints its CPU share."""

import os
import subprocess
import time
from pathlib import Path

from moves import Field, close_in_field, field_sprites, wait_for_the_field_to_move
from shared_checks import (  # noqa: F401 (run here, on this file's game)
    test_pointer_height_steers_the_craft_up_and_down_only, test_left_button_fires_while_held_and_stops_on_release)
from picture import HEIGHT, PLAYER_X, WIDTH, WINDOW_NAME, is_close_red, is_player_blue, is_text_white, player_blob

CPU_SECONDS = 10.0


def test_window_is_960x640_and_titled(game):
    size = game.geometry()[2:]
    assert size == (WIDTH, HEIGHT), f"window is {size[0]}x{size[1]}, not 960x640"
    assert game.name() == WINDOW_NAME


def test_first_frame_shows_the_craft_the_close_button_and_text(first_frame, artifacts):
    print(f"playfield: {first_frame.save_png(artifacts / 'wine-playfield.png')}")
    craft = player_blob(first_frame)
    assert craft is not None and abs(craft.cx - PLAYER_X) <= 12, f"craft not at the left of the playfield: {craft}"
    assert first_frame.count(is_close_red, (WIDTH - 40, HEIGHT - 40, WIDTH, HEIGHT)) >= 500, \
        "no red close button in the corner"
    # White text at the top: the title and score, drawn with the shipped font.
    assert first_frame.count(is_text_white, (0, 0, WIDTH, 60)) >= 100, "no title or score text"


def window_icons(game):
    """The pictures of the X window's _NET_WM_ICON as {(width, height): [ARGB, ...]}."""
    done = subprocess.run(["xprop", "-display", game.display, "-id", str(game.window), "-notype", "32c",
                           "_NET_WM_ICON"], capture_output=True, text=True, timeout=10)
    _, _, values = done.stdout.partition("=")
    numbers = [int(value) for value in values.replace(",", " ").split()]
    icons = {}
    while len(numbers) >= 2:
        width, height = numbers[:2]
        icons[(width, height)] = numbers[2:2 + width * height]
        numbers = numbers[2 + width * height:]
    return icons


def test_window_icon_is_the_craft(game):
    """The window carries the exe's GLFW_ICON: the craft, blue on a transparent square, not Wine's default."""
    icons = window_icons(game)
    print(f"window icon sizes: {sorted(icons)}")
    assert icons, "the window has no _NET_WM_ICON"
    for (width, height), argb in icons.items():
        assert len(argb) == width * height, f"_NET_WM_ICON {width}x{height} holds {len(argb)} pixels"
        corners = [argb[0], argb[width - 1], argb[-width], argb[-1]]
        blue = sum(1 for p in argb if p >> 24 >= 128 and is_player_blue(p >> 16 & 255, p >> 8 & 255, p & 255))
        assert all(p >> 24 == 0 for p in corners), f"icon {width}x{height}: corners not transparent"
        assert blue >= width * height // 20, f"icon {width}x{height}: {blue} blue pixels, not the craft"


def test_minimise_and_restore_pause_and_resume(game, in_prefix):
    """As the taskbar button or Win+D: the game pauses, comes back as it was, and plays on."""
    def minimise_and_restore():
        game.wait_for(field_sprites, 8, "an enemy on the field")
        pid = game.window_pid()
        for command in ("minimize", "restore"):
            done = in_prefix(pid, command, WINDOW_NAME)
            assert done.returncode == 0, f"window_control {command}: exit code {done.returncode}\n{done.stderr}"
            time.sleep(2)
        return game.wait_for(lambda frame: player_blob(frame) is not None, 10, "the craft after the restore")

    wait_for_the_field_to_move(game, game.retrying_lost_runs(minimise_and_restore))


def cpu_ticks(pid):
    """User plus system clock ticks of a process, from /proc (fields 14 and 15 after the name)."""
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def print_cpu_share(game, artifacts):
    """The share of one core the game's Wine process used while playing on its own; measured, never asserted.

    The frame rate is in the statistics display at the bottom left of the screenshot saved after it.
    """
    pid = game.window_pid()
    before, start = cpu_ticks(pid), time.monotonic()
    time.sleep(CPU_SECONDS)
    used = (cpu_ticks(pid) - before) / os.sysconf("SC_CLK_TCK")
    print(f"wine process {pid}: {100 * used / (time.monotonic() - start):.1f}% of one core over {CPU_SECONDS:.0f} s")
    print(f"statistics after it: {game.screenshot().save_png(artifacts / 'wine-statistics.png')}")


def test_close_button_ends_the_game_and_its_wine_process(game, artifacts):
    print_cpu_share(game, artifacts)
    pid = game.window_pid()
    _, code = close_in_field(game, Field(WIDTH, HEIGHT))
    assert code == 0, f"close button: exit code {code} (None: still running)\n{game.output()}"
    assert not Path(f"/proc/{pid}").exists(), f"Wine process {pid} still runs after the game exited"
