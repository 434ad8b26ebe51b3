#!/usr/bin/env python3
"""The Windows build played under Wine: its window and icon, steering, fire, minimise and restore, the close button,
a close while minimised, a size forced on it, and the message box of a start without its resources; prints its CPU share."""

import os
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "support" / "window"))
sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "window"))
import skyvane_window as sw  # noqa: E402
from desktop_test import check_forced_size, field_sprites, places  # noqa: E402
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


def in_prefix_of(pid, program, *args):
    """Runs a Windows program in the Wine prefix of the running process pid, where it sees that process's windows."""
    env = dict(os.environ)
    for entry in Path(f"/proc/{pid}/environ").read_bytes().split(b"\0"):
        key, _, value = entry.partition(b"=")
        if key in (b"WINEPREFIX", b"WINEDEBUG", b"WINEDLLOVERRIDES"):
            env[key.decode()] = value.decode()
    return subprocess.run(["wine", str(program), *args], env=env, capture_output=True, text=True, timeout=90)


def check_minimise_and_restore(game, report, window_control):
    """As the taskbar button or Win+D: the game pauses, comes back as it was, and plays on."""
    def minimise_and_restore():
        game.wait_for(field_sprites, 8, "an enemy on the field")
        pid = game.window_pid()
        for command in ("minimize", "restore"):
            done = in_prefix_of(pid, window_control, command, sw.WINDOW_NAME)
            report.expect(done.returncode == 0, f"window_control {command}: exit code {done.returncode}\n{done.stderr}")
            time.sleep(2)
        return game.wait_for(lambda frame: sw.player_blob(frame) is not None, 10, "the craft after the restore")

    restored = game.retrying_lost_runs(minimise_and_restore)
    game.wait_for(lambda frame: places(field_sprites(frame)) != places(field_sprites(restored)), 5,
                  "the field moving again after the restore", in_play=False)


def check_close_while_minimised(exe, report, wine_run, window_control):
    """WM_CLOSE to a minimised game, as its taskbar button's Close does: it exits with 0."""
    with sw.Game(exe, launcher=[str(wine_run.resolve()), "--timeout", "300"]) as game:
        game.wait_window(WINDOW_TIMEOUT)
        pid = game.window_pid()
        for command in ("minimize", "close"):
            done = in_prefix_of(pid, window_control, command, sw.WINDOW_NAME)
            report.expect(done.returncode == 0, f"window_control {command}: exit code {done.returncode}")
        code = game.wait_exit(60)
        report.expect(code == 0, f"closed while minimised: exit code {code} (None: still running)")


def check_box_without_resources(exe, report, wine_run, window_control):
    """Run from inside the zip, the exe has no Resources beside it: a message box says what to do, and it exits 1."""
    with tempfile.TemporaryDirectory(prefix="skyvane-alone-") as folder:
        alone = Path(folder) / exe.name
        shutil.copy2(exe, alone)
        with sw.Game(alone, launcher=[str(wine_run.resolve()), "--timeout", "300"]) as game:
            deadline = time.monotonic() + 120
            box = None
            while box is None and game.running() and time.monotonic() < deadline:
                box = sw.find_window("Skyvane")
                time.sleep(0.5)
            if not report.expect(box, f"no message box titled 'Skyvane' showed; the game said:\n{game.output()}"):
                return
            pid = int(sw.xdotool("getwindowpid", box))
            shown = in_prefix_of(pid, window_control, "dismiss-box", "Skyvane")
            report.expect(shown.returncode == 0, f"window_control dismiss-box: exit code {shown.returncode}")
            report.expect("Unzip the whole folder and run skyvane.exe there" in shown.stdout,
                          f"the box does not say what to do: {shown.stdout!r}")
            code = game.wait_exit(60)
            report.expect(code == 1, f"without Resources: exit code {code}, want 1 (None: still running)")


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
        check_minimise_and_restore(game, report, args.window_control)
        report_cpu_share(game, args.artifacts)
        pid = game.window_pid()
        code = close(game)
        report.expect(code == 0, f"close button: exit code {code} (None: still running)\n{game.output()}")
        report.expect(not Path(f"/proc/{pid}").exists(), f"Wine process {pid} still runs after the game exited")
    check_close_while_minimised(exe, report, args.wine_run, args.window_control)

    def resize_as_windows_does(game, width, height):
        done = in_prefix_of(game.window_pid(), args.window_control, "resize", sw.WINDOW_NAME, str(width), str(height))
        report.expect(done.returncode == 0, f"window_control resize: exit code {done.returncode}")

    check_forced_size(exe, report, 400, 300, resize_as_windows_does,
                      launcher=[str(args.wine_run.resolve()), "--timeout", "300"], window_timeout=WINDOW_TIMEOUT)
    check_box_without_resources(exe, report, args.wine_run, args.window_control)


def add_arguments(parser):
    parser.add_argument("--wine-run", type=Path, required=True, help="tools/windows/wine-run.sh")
    parser.add_argument("--window-control", type=Path, required=True, help="window_control.exe of the Windows tests")


if __name__ == "__main__":
    sw.run_test(main, __doc__, add_arguments)
