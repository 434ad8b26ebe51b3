"""The real skyvane executable on an X display: its process, its window, XTest input and screenshots.

Input goes through XTest (xdotool); screenshots are read from the X server with python-xlib.
"""

import os
import signal
import subprocess
import tempfile
import time
from pathlib import Path

from PIL import Image
from Xlib import X
from Xlib import display as xdisplay
from Xlib import error as xerror

from picture import CLOSE_BUTTON, PLAYER_X, WINDOW_NAME, Frame, player_blob, shows_game_over


class GameError(Exception):
    """The game or the X server did not do what a check needed; frame is the last screenshot, if any."""

    def __init__(self, message, frame=None):
        super().__init__(message)
        self.frame = frame


class RunLost(GameError):
    """An enemy ended the run while a check was waiting for something else."""


def environment(display, changes=None):
    """This process's environment on display, with changes applied (a value of None removes a variable)."""
    env = dict(os.environ, DISPLAY=display)
    env.setdefault("LIBGL_ALWAYS_SOFTWARE", "1")
    for key, value in (changes or {}).items():
        if value is None:
            env.pop(key, None)
        else:
            env[key] = value
    return env


def xdotool(display, *args, timeout=10):
    done = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True, timeout=timeout,
                          env=environment(display))
    if done.returncode != 0:
        raise GameError(f"xdotool {' '.join(map(str, args))}: {done.stderr.strip() or done.returncode}")
    return done.stdout


def park_pointer(display):
    """Moves the pointer to the screen's bottom-right corner, clear of a window opening at the top left: a
    window that appears under the pointer hears where it is, and the craft follows it."""
    connection = xdisplay.Display(display)
    try:
        root = connection.screen().root
        size = root.get_geometry()
        root.warp_pointer(size.width - 1, size.height - 1)
        connection.sync()
    finally:
        connection.close()


def find_window(display, name, pid=None, shown=True):
    """The first window titled name (of process pid; only a visible one when shown), or None for none yet.

    Windows come and go while a program starts (a fresh Wine prefix makes and drops several):
    one destroyed during the search is an X error that ends xdotool, which counts as none found
    this time; the caller polls again.
    """
    owner = [] if pid is None else ["--pid", str(pid)]
    visible = ["--onlyvisible"] if shown else []
    try:
        # --all: xdotool's conditions otherwise match any one of them, another game's window too.
        return xdotool(display, "search", "--all", *visible, *owner, "--name", f"^{name}$").split()[0]
    except (GameError, IndexError, subprocess.TimeoutExpired):
        return None


class Game:
    """The executable running in its own process group, so a stuck game can always be killed.

    env: changes to this process's environment (None removes a variable). A launcher (e.g.
    tools/windows/wine-run.sh) is a command the executable's path is appended to.
    """

    def __init__(self, exe, display, env=None, cwd=None, launcher=()):
        self.exe = Path(exe).resolve()
        self.display = display
        self.launcher = list(launcher)
        self.stdout, self.stderr = tempfile.TemporaryFile(), tempfile.TemporaryFile()
        self.process = subprocess.Popen([*self.launcher, str(self.exe)], cwd=cwd or self.exe.parent,
                                        env=environment(display, env), stdin=subprocess.DEVNULL,
                                        stdout=self.stdout, stderr=self.stderr, start_new_session=True)
        self.window = None
        self.last_frame = None
        self._x = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        self.kill()
        self.stdout.close()
        self.stderr.close()
        if self._x is not None:
            self._x.close()

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

    def find_own_window(self, timeout=30, shown=True):
        """The game's window once it is made (shown, unless shown is False), within timeout."""
        deadline = time.monotonic() + timeout
        while True:
            self.require_running("before its window " + ("showed" if shown else "was made"))
            # A launched game's window belongs to a process the launcher started, not to the launcher.
            window = find_window(self.display, WINDOW_NAME, None if self.launcher else self.process.pid, shown)
            if window is not None:
                return window
            if time.monotonic() > deadline:
                raise GameError(f"no {'visible ' if shown else ''}window named {WINDOW_NAME!r} within {timeout} s")
            time.sleep(0.2)

    def wait_window(self, timeout=30):
        """Waits for the shown window and its first drawn frame (the craft on screen)."""
        deadline = time.monotonic() + timeout
        if self.window is None:
            self.window = self.find_own_window(timeout)
        self.wait_for(lambda frame: player_blob(frame) is not None, deadline - time.monotonic(), "the craft drawn")
        return self.window

    def xdotool(self, *args):
        """xdotool; a failure after the game died reports the death, not the missing window."""
        try:
            return xdotool(self.display, *args)
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
        """The window's picture as the X server holds it."""
        try:
            if self._x is None:
                self._x = xdisplay.Display(self.display)
            window = self._x.create_resource_object("window", int(self.window))
            size = window.get_geometry()
            pixels = window.get_image(0, 0, size.width, size.height, X.ZPixmap, 0xFFFFFFFF)
        except xerror.XError as error:
            self.require_running("while taking a screenshot")
            raise GameError(f"no screenshot of window {self.window}: {error}", self.last_frame) from error
        self.last_frame = Frame(Image.frombytes("RGB", (size.width, size.height), pixels.data, "raw", "BGRX"))
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
