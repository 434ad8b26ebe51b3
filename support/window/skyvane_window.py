"""Drives the real skyvane executable on the X server in $DISPLAY.

Input goes through XTest (xdotool), screenshots through ImageMagick's `import`; pixels are read
from PPM with the standard library, so nothing beyond Debian's xdotool and imagemagick is needed.
All coordinates are window coordinates: x to the right, y down from the window's top edge.
"""

import argparse
import contextlib
import os
import re
import select
import signal
import struct
import subprocess
import sys
import tempfile
import time
import traceback
import zlib
from collections import namedtuple
from pathlib import Path

SKIPPED = 77
WINDOW_NAME = "My Game"
WIDTH, HEIGHT = 960, 640
PLAYER_X = 320
CLOSE_BUTTON = (WIDTH - 20, HEIGHT - 20)
MESSAGE_BOX = (WIDTH // 2 - 150, HEIGHT // 2 - 50, WIDTH // 2 + 150, HEIGHT // 2 + 50)
GAME_OVER_SECONDS = 3.0


class GameError(Exception):
    """The game or the X server did not do what a check needed; frame is the last screenshot, if any."""

    def __init__(self, message, frame=None):
        super().__init__(message)
        self.frame = frame


class RunLost(GameError):
    """An enemy ended the run while a check was waiting for something else."""


# Colour keys of the game's pictures, picked so that no other sprite shares them.
def is_player_blue(r, g, b):
    return b >= 120 and b - r >= 100 and b - g >= 40


def is_shot_yellow(r, g, b):
    # The hot core of a shot; a Bird's pale belly and eye never get this bright.
    return r >= 250 and g >= 220 and 100 <= b <= 215


def is_close_red(r, g, b):
    return r >= 150 and r - g >= 80 and r - b >= 80


def is_text_white(r, g, b):
    return r >= 190 and g >= 190 and b >= 190


def is_lit(r, g, b):
    return max(r, g, b) >= 60


class Blob(namedtuple("Blob", "pixels left top right bottom cx cy")):
    """Pixel count, bounding box (right and bottom exclusive) and mean position."""

    __slots__ = ()

    @property
    def middle_y(self):
        return (self.top + self.bottom) / 2


class Frame:
    """One screenshot of the window as packed RGB rows."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    @classmethod
    def from_ppm(cls, data):
        # P6 header: magic, width, height, maxval, each followed by whitespace; comments may sit between.
        header = re.match(rb"P6(?:\s+|#[^\n]*\n)+(\d+)(?:\s+|#[^\n]*\n)+(\d+)(?:\s+|#[^\n]*\n)+(\d+)\s", data)
        if not header or int(header.group(3)) != 255:
            raise GameError("screenshot is not an 8-bit PPM")
        width, height = int(header.group(1)), int(header.group(2))
        rgb = data[header.end():header.end() + width * height * 3]
        if len(rgb) != width * height * 3:
            raise GameError("screenshot is truncated")
        return cls(width, height, rgb)

    def _clip(self, box):
        left, top, right, bottom = (int(edge) for edge in box or (0, 0, self.width, self.height))
        return max(0, left), max(0, top), min(self.width, right), min(self.height, bottom)

    def count(self, colour, box=None):
        left, top, right, bottom = self._clip(box)
        rgb, width, total = self.rgb, self.width, 0
        for y in range(top, bottom):
            row = rgb[(y * width + left) * 3:(y * width + right) * 3]
            total += sum(1 for i in range(0, len(row), 3) if colour(row[i], row[i + 1], row[i + 2]))
        return total

    def blobs(self, colour, box=None, step=1, min_pixels=3):
        """Connected groups of pixels of one colour key, largest first; step > 1 samples a coarser grid."""
        left, top, right, bottom = self._clip(box)
        rgb, width = self.rgb, self.width
        hits = set()
        for y in range(top, bottom, step):
            base = y * width
            for x in range(left, right, step):
                i = (base + x) * 3
                if colour(rgb[i], rgb[i + 1], rgb[i + 2]):
                    hits.add((x, y))
        found = []
        while hits:
            stack = [hits.pop()]
            members = []
            while stack:
                x, y = stack.pop()
                members.append((x, y))
                for dx in (-step, 0, step):
                    for dy in (-step, 0, step):
                        neighbour = (x + dx, y + dy)
                        if neighbour in hits:
                            hits.remove(neighbour)
                            stack.append(neighbour)
            if len(members) * step * step >= min_pixels:
                xs = [p[0] for p in members]
                ys = [p[1] for p in members]
                found.append(Blob(len(members) * step * step, min(xs), min(ys), max(xs) + 1, max(ys) + 1,
                                  sum(xs) / len(xs), sum(ys) / len(ys)))
        return sorted(found, key=lambda blob: -blob.pixels)

    def save_png(self, path):
        raw = b"".join(b"\0" + self.rgb[y * self.width * 3:(y + 1) * self.width * 3] for y in range(self.height))

        def chunk(kind, body):
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

        path = Path(path)
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(b"\x89PNG\r\n\x1a\n"
                         + chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0))
                         + chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))
        return path


def merged(blobs):
    """One blob covering all given ones (None for none)."""
    if not blobs:
        return None
    pixels = sum(blob.pixels for blob in blobs)
    return Blob(pixels, min(b.left for b in blobs), min(b.top for b in blobs), max(b.right for b in blobs),
                max(b.bottom for b in blobs), sum(b.cx * b.pixels for b in blobs) / pixels,
                sum(b.cy * b.pixels for b in blobs) / pixels)


def player_blob(frame):
    """The craft's blue parts (fin, stripe, wing) as one blob, or None; the craft always flies at PLAYER_X."""
    blue = frame.blobs(is_player_blue, (PLAYER_X - 40, 0, PLAYER_X + 40, frame.height))
    if not blue:
        return None
    # Parts of one craft lie within its 32-pixel height of the largest part.
    craft = [b for b in blue if abs(b.cy - blue[0].cy) <= 32]
    found = merged(craft)
    return found if found.pixels >= 40 else None


def shows_game_over(frame):
    """'You Lose!': white text across the middle and no craft."""
    return frame.count(is_text_white, MESSAGE_BOX) >= 60 and player_blob(frame) is None


def xdotool(*args, timeout=10):
    done = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True, timeout=timeout)
    if done.returncode != 0:
        raise GameError(f"xdotool {' '.join(map(str, args))}: {done.stderr.strip() or done.returncode}")
    return done.stdout


@contextlib.contextmanager
def private_display(width, height):
    """A private X server with a screen of the given size as $DISPLAY for the block."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
                               "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
    os.close(write_end)
    try:
        # Xvfb writes its display number once it accepts connections.
        with os.fdopen(read_end) as numbers:
            ready, _, _ = select.select([numbers], [], [], 30)
            number = numbers.readline().strip() if ready else ""
        if not number:
            raise GameError(f"a private Xvfb of {width}x{height} did not start")
        outer = os.environ.get("DISPLAY")
        os.environ["DISPLAY"] = f":{number}"
        try:
            yield
        finally:
            if outer is None:
                del os.environ["DISPLAY"]
            else:
                os.environ["DISPLAY"] = outer
    finally:
        server.terminate()
        server.wait(10)


def find_window(name, pid=None):
    """The first visible window titled name (of process pid), or None for none yet.

    Windows come and go while a program starts (a fresh Wine prefix makes and drops several):
    one destroyed during the search is an X error that ends xdotool, which counts as none found
    this time; the caller polls again.
    """
    owner = [] if pid is None else ["--pid", str(pid)]
    try:
        done = subprocess.run(["xdotool", "search", "--onlyvisible", *owner, "--name", f"^{name}$"],
                              capture_output=True, text=True, timeout=10)
    except subprocess.TimeoutExpired:
        return None
    found = done.stdout.split() if done.returncode == 0 else []
    return found[0] if found else None


def display_environment():
    env = dict(os.environ)
    env.setdefault("LIBGL_ALWAYS_SOFTWARE", "1")
    return env


class Game:
    """The executable running in its own process group, so a stuck game can always be killed.

    A launcher (e.g. tools/windows/wine-run.sh) is a command the executable's path is appended to.
    """

    def __init__(self, exe, cwd=None, env=None, launcher=()):
        self.exe = Path(exe).resolve()
        self.launcher = list(launcher)
        self.stdout, self.stderr = tempfile.TemporaryFile(), tempfile.TemporaryFile()
        self.process = subprocess.Popen([*self.launcher, str(self.exe)], cwd=cwd or self.exe.parent,
                                        env=display_environment() if env is None else env, stdin=subprocess.DEVNULL,
                                        stdout=self.stdout, stderr=self.stderr, start_new_session=True)
        self.window = None
        self.last_frame = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.kill()
        self.stdout.close()
        self.stderr.close()

    def errors(self):
        self.stderr.seek(0)
        return self.stderr.read().decode(errors="replace")

    def output(self):
        self.stdout.seek(0)
        return self.stdout.read().decode(errors="replace") + self.errors()

    def running(self):
        return self.process.poll() is None

    def require_running(self, during):
        if not self.running():
            raise GameError(f"game exited with {self.process.returncode} {during}:\n{self.output()}", self.last_frame)

    def kill(self):
        if self.running() and self.launcher:
            # Asked politely, a launcher stops what it started (wine-run.sh: the wineserver and its
            # processes, which live outside this process group).
            self.process.terminate()
            self.wait_exit(30)
        if self.running():
            os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait()

    def wait_exit(self, timeout):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    def wait_window(self, timeout=30):
        """Waits for the mapped window and its first drawn frame (the craft on screen)."""
        deadline = time.monotonic() + timeout
        while self.window is None:
            self.require_running("before its window showed")
            if time.monotonic() > deadline:
                raise GameError(f"no window named {WINDOW_NAME!r} within {timeout} s")
            # A launched game's window belongs to a process the launcher started, not to the launcher.
            self.window = find_window(WINDOW_NAME, None if self.launcher else self.process.pid)
            if self.window is None:
                time.sleep(0.2)
        self.wait_for(lambda frame: player_blob(frame) is not None, deadline - time.monotonic(), "the craft drawn")
        return self.window

    def xdotool(self, *args):
        """xdotool; a failure after the game died reports the death, not the missing window."""
        try:
            return xdotool(*args)
        except GameError:
            self.require_running(f"during xdotool {args[0]}")
            raise

    def geometry(self):
        shell = self.xdotool("getwindowgeometry", "--shell", self.window)
        values = dict(line.split("=", 1) for line in shell.split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def name(self):
        return self.xdotool("getwindowname", self.window).strip()

    def window_pid(self):
        """The process that owns the window, as the window says (_NET_WM_PID)."""
        return int(self.xdotool("getwindowpid", self.window))

    def move(self, x, y):
        self.xdotool("mousemove", "--window", self.window, int(x), int(y))

    # Buttons go through XTest at the pointer: `--window` would send synthetic events instead.
    def press(self, button=1):
        self.xdotool("mousedown", button)

    def release(self, button=1):
        self.xdotool("mouseup", button)

    def click(self, x, y, button=1):
        self.move(x, y)
        time.sleep(0.05)
        self.press(button)
        time.sleep(0.05)
        self.release(button)

    def steer_to(self, y, timeout=5.0, resend_every=0.4):
        """Moves the pointer to height y and returns the first frame with the craft there.

        The game drops a move that comes while the craft is still on its way, so the move is sent
        again, a pixel aside so that X reports it, until the craft arrives. A height at or past
        an edge ends the run instead: then the frame that shows "You Lose!" is the arrival.
        """
        def arrived(frame):
            craft = player_blob(frame)
            if craft is None:
                return shows_game_over(frame)
            return (abs(craft.middle_y - y) <= 3 or (y <= 0 and craft.top == 0)
                    or (y >= frame.height - 1 and craft.bottom == frame.height))

        deadline = time.monotonic() + timeout
        aside = 0
        while True:
            self.move(PLAYER_X + 200 + aside, y)
            aside ^= 1
            try:
                return self.wait_for(arrived, min(resend_every, max(0.0, deadline - time.monotonic())),
                                     f"the craft at height {y}", in_play=False)
            except GameError:
                self.require_running(f"while steering to height {y}")
                if time.monotonic() >= deadline:
                    raise

    def screenshot(self):
        done = subprocess.run(["import", "-window", str(self.window), "-depth", "8", "ppm:-"],
                              capture_output=True, timeout=15)
        if done.returncode != 0:
            raise GameError(f"import failed: {done.stderr.decode(errors='replace').strip()}")
        self.last_frame = Frame.from_ppm(done.stdout)
        return self.last_frame

    def wait_for(self, condition, timeout, what, in_play=True):
        """Screenshots until condition(frame) holds; returns that frame. In play, "You Lose!" raises RunLost."""
        deadline = time.monotonic() + timeout
        while True:
            self.require_running(f"while waiting for {what}")
            frame = self.screenshot()
            if condition(frame):
                return frame
            if in_play and shows_game_over(frame):
                raise RunLost(f"run lost while waiting for {what}", frame)
            if time.monotonic() > deadline:
                raise GameError(f"no {what} within {timeout:.1f} s", frame)
            time.sleep(0.1)

    def wait_for_next_run(self, timeout=15):
        return self.wait_for(lambda frame: player_blob(frame) is not None, timeout, "the next run", in_play=False)

    def retrying_lost_runs(self, step, tries=3):
        """Runs step(); when enemies end the run first, runs it again in the next run."""
        for attempt in range(1, tries + 1):
            try:
                return step()
            except RunLost:
                if attempt == tries:
                    raise
                self.wait_for_next_run()

    def quit(self, timeout=12):
        """Clicks the close button until the game exits; during "You Lose!" there is none to click."""
        deadline = time.monotonic() + timeout
        while self.running() and time.monotonic() < deadline:
            self.click(*CLOSE_BUTTON)
            self.wait_exit(min(2.0, max(0.1, deadline - time.monotonic())))
        return self.process.poll()


class Report:
    """Collects failed expectations; saves the frames that show them."""

    def __init__(self, name, artifacts):
        self.name, self.artifacts, self.failures = name, artifacts, []

    def expect(self, ok, message, frame=None):
        if not ok:
            self.fail(message, frame)
        return ok

    def fail(self, message, frame=None):
        self.failures.append(message)
        saved = ""
        if frame is not None:
            path = frame.save_png(self.artifacts / f"{self.name}-{len(self.failures)}.png")
            saved = f" (screenshot: {path})"
        print(f"FAIL: {message}{saved}", file=sys.stderr)


def require_display():
    """Skips without a display; fails instead once the test command has started its own."""
    if not os.environ.get("DISPLAY"):
        if os.environ.get("SKYVANE_REQUIRE_DISPLAY") == "1":
            print("FAIL: DISPLAY is not set, and SKYVANE_REQUIRE_DISPLAY=1 says there must be one", file=sys.stderr)
            sys.exit(1)
        print("skipped: DISPLAY is not set", file=sys.stderr)
        sys.exit(SKIPPED)


def run_test(body, description, add_arguments=None):
    """Entry point of a window script: body(args, report) runs its checks; exits 0, 1 or 77 (skipped).

    args.exe is the executable's path; add_arguments(parser) adds a script's own options.
    """
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("exe", type=Path, help="the skyvane executable")
    parser.add_argument("--artifacts", type=Path, default=Path(tempfile.gettempdir()) / "skyvane-window-tests",
                        help="folder for screenshots of failed checks")
    if add_arguments:
        add_arguments(parser)
    args = parser.parse_args()
    require_display()
    name = Path(sys.argv[0]).stem
    report = Report(name, args.artifacts)
    try:
        body(args, report)
    except (GameError, subprocess.TimeoutExpired) as error:
        report.fail(str(error), getattr(error, "frame", None))
    except Exception:
        report.fail(traceback.format_exc())
    if report.failures:
        print(f"{name}: {len(report.failures)} check(s) failed", file=sys.stderr)
        sys.exit(1)
    print(f"{name}: passed")
