#!/usr/bin/env python3
"""The Windows build played under Wine: its window and icon, steering, fire, the close button; prints its CPU share."""

import os
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "window"))
import skyvane_window as sw  # noqa: E402
from play_test import check_firing, check_steering  # noqa: E402

# A fresh Wine prefix takes 15-20 s before the game even starts.
WINDOW_TIMEOUT = 120
CPU_SECONDS = 10.0


def cpu_ticks(pid):
    """User plus system clock ticks of a process, from /proc (fields 14 and 15 after the name)."""
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def report_cpu_share(game, artifacts):
    """Prints the share of one core the game's Wine process used while playing on its own; never asserted.

    The frame rate is in the statistics display at the bottom left of the screenshot saved after it.
    """
    pid = game.window_pid()
    before, start = cpu_ticks(pid), time.monotonic()
    time.sleep(CPU_SECONDS)
    used = (cpu_ticks(pid) - before) / os.sysconf("SC_CLK_TCK")
    print(f"wine process {pid}: {100 * used / (time.monotonic() - start):.1f}% of one core over {CPU_SECONDS:.0f} s")
    print(f"statistics after it: {game.screenshot().save_png(artifacts / 'wine-statistics.png')}")


def check_first_frame(game, report, artifacts):
    frame = game.last_frame
    size = game.geometry()[2:]
    report.expect(size == (sw.WIDTH, sw.HEIGHT), f"window is {size[0]}x{size[1]}, not 960x640", frame)
    report.expect(game.name() == sw.WINDOW_NAME, f"window title is {game.name()!r}")
    craft = sw.player_blob(frame)
    report.expect(craft is not None and abs(craft.cx - sw.PLAYER_X) <= 12,
                  f"craft not at the left of the playfield: {craft}", frame)
    corner = (sw.WIDTH - 40, sw.HEIGHT - 40, sw.WIDTH, sw.HEIGHT)
    report.expect(frame.count(sw.is_close_red, corner) >= 500, "no red close button in the corner", frame)
    # White text at the top: the title and score, drawn with the shipped font.
    report.expect(frame.count(sw.is_text_white, (0, 0, sw.WIDTH, 60)) >= 100, "no title or score text", frame)
    print(f"playfield: {frame.save_png(artifacts / 'wine-playfield.png')}")


def window_icons(window):
    """The pictures of the X window's _NET_WM_ICON as {(width, height): [ARGB, ...]}."""
    done = subprocess.run(["xprop", "-id", str(window), "-notype", "32c", "_NET_WM_ICON"],
                          capture_output=True, text=True, timeout=10)
    _, _, values = done.stdout.partition("=")
    numbers = [int(value) for value in values.replace(",", " ").split()]
    icons = {}
    while len(numbers) >= 2:
        width, height = numbers[:2]
        icons[(width, height)] = numbers[2:2 + width * height]
        numbers = numbers[2 + width * height:]
    return icons


def check_window_icon(game, report):
    """The window carries the exe's GLFW_ICON: the craft, blue on a transparent square, not Wine's default."""
    icons = window_icons(game.window)
    report.expect(icons, "the window has no _NET_WM_ICON")
    for (width, height), argb in icons.items():
        if len(argb) != width * height:
            report.fail(f"_NET_WM_ICON {width}x{height} holds {len(argb)} pixels")
            continue
        corners = [argb[0], argb[width - 1], argb[-width], argb[-1]]
        blue = sum(1 for p in argb if p >> 24 >= 128 and sw.is_player_blue(p >> 16 & 255, p >> 8 & 255, p & 255))
        report.expect(all(p >> 24 == 0 for p in corners), f"icon {width}x{height}: corners not transparent")
        report.expect(blue >= width * height // 20, f"icon {width}x{height}: {blue} blue pixels, not the craft")
    print(f"window icon sizes: {sorted(icons)}")


def close(game, tries=3):
    """Clicks the close button; Wine winds down for longer than Game.quit() waits between clicks."""
    for _ in range(tries):
        # There is no close button while "You Lose!" shows.
        game.wait_for(lambda frame: sw.player_blob(frame) is not None, 15, "the craft before closing", in_play=False)
        game.click(*sw.CLOSE_BUTTON)
        code = game.wait_exit(60)
        if code is not None:
            return code
    return None


def main(args, report):
    # The package unzipped where a player might: a folder whose name is not ASCII.
    with tempfile.TemporaryDirectory() as folder:
        install = Path(folder) / "Skyväne ✈ Spiel"
        shutil.copytree(args.exe.parent, install)
        play(install / args.exe.name, args, report)


def play(exe, args, report):
    with sw.Game(exe, launcher=[str(args.wine_run.resolve()), "--timeout", "600"]) as game:
        game.wait_window(WINDOW_TIMEOUT)
        check_first_frame(game, report, args.artifacts)
        check_window_icon(game, report)
        for height in (160, 260):
            check_steering(game, report, height)
        check_firing(game, report)
        report_cpu_share(game, args.artifacts)
        pid = game.window_pid()
        code = close(game)
        report.expect(code == 0, f"close button: exit code {code} (None: still running)\n{game.output()}")
        report.expect(not Path(f"/proc/{pid}").exists(), f"Wine process {pid} still runs after the game exited")


def add_arguments(parser):
    parser.add_argument("--wine-run", type=Path, required=True, help="tools/windows/wine-run.sh")


if __name__ == "__main__":
    sw.run_test(main, __doc__, add_arguments)
