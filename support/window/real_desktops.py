"""Real window managers on a test display, each told by its own configuration what to do to the game.

openbox and i3 as Debian ships them. Each starts on a display of its own size (the screen fixture),
is ready once it has claimed the screen, and is stopped, or killed, by the check that started it.
"""

import os
import signal
import subprocess
import time

from Xlib import X
from Xlib import display as xdisplay
from Xlib import error
from Xlib.protocol import event

from moves import Field

OPENBOX_CONFIG = """<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <!-- A frame shrunk by the animation leaves the window partly unseen: no screenshot of it. -->
  <theme><animateIconify>no</animateIconify></theme>
  <applications>{rules}</applications>
</openbox_config>
"""
# openbox starts the game minimised.
STARTS_ICONIC = '<application title="My Game"><iconic>yes</iconic></application>'

I3_CONFIG = """# i3 config file (v4)
font pango:DejaVu Sans Mono 8
{rules}
"""
# i3 tiles the game's window from its first appearance instead of floating it.
TILED_FROM_THE_START = 'for_window [title="My Game"] floating disable'


class WindowManager:
    """A window manager process on display; acts on windows through EWMH requests, as pagers and taskbars do."""

    def __init__(self, display, command, folder):
        self.display = display
        self._x = xdisplay.Display(display)
        self._root = self._x.screen().root
        log = open(folder / f"{command[0]}.log", "wb")
        self.process = subprocess.Popen(command, env=dict(os.environ, DISPLAY=display), stdin=subprocess.DEVNULL,
                                        stdout=log, stderr=log, start_new_session=True)
        log.close()
        self._wait_until_managing()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.kill()
        # A window manager that was killed leaves its check on the root window, naming a window
        # that is gone; GLFW 3.3.8 aborts at start-up on such a screen (an error grab it never
        # releases), so the next check's game would not start.
        self._root.delete_property(self._x.intern_atom("_NET_SUPPORTING_WM_CHECK"))
        self._x.sync()
        self._x.close()

    def _managing(self):
        """Whether a live window manager has claimed the screen, as EWMH tells it: the root names a
        window that names itself."""
        check = self._x.intern_atom("_NET_SUPPORTING_WM_CHECK")
        named = self._root.get_full_property(check, X.AnyPropertyType)
        if named is None:
            return False
        try:
            child = self._x.create_resource_object("window", named.value[0])
            own = child.get_full_property(check, X.AnyPropertyType)
        except error.XError:
            return False
        return own is not None and own.value[0] == named.value[0]

    def _wait_until_managing(self, timeout=15):
        """Until the window manager has claimed the screen and frames a window mapped on it: before that, it
        may still be setting up and grabbing the server, and a check that stops it then stops it half-way."""
        deadline = time.monotonic() + timeout
        while not self._managing():
            if self.process.poll() is not None or time.monotonic() > deadline:
                raise RuntimeError(f"window manager {self.process.args[0]} did not claim the screen "
                                   f"(exit code {self.process.poll()})")
            time.sleep(0.1)
        # A window mapped in the moment between the claim and the window manager's taking over maps
        # unframed for good; mapped again, it asks the window manager.
        probe = self._root.create_window(0, 0, 10, 10, 0, X.CopyFromParent)
        try:
            while probe.query_tree().parent == self._root:
                if self.process.poll() is not None or time.monotonic() > deadline:
                    raise RuntimeError(f"window manager {self.process.args[0]} did not frame a window "
                                       f"(exit code {self.process.poll()})")
                probe.unmap()
                probe.map()
                self._x.sync()
                time.sleep(0.2)
        finally:
            probe.destroy()
            self._x.sync()

    def _ask(self, window, message_type, *data):
        """An EWMH client message to the root window about window."""
        target = self._x.create_resource_object("window", int(window))
        message = event.ClientMessage(window=target, client_type=self._x.intern_atom(message_type),
                                      data=(32, (list(data) + [0] * 5)[:5]))
        self._root.send_event(message, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
        self._x.sync()

    def request_close(self, window):
        """What a taskbar's Close does: the window manager asks the window to go."""
        self._ask(window, "_NET_CLOSE_WINDOW", X.CurrentTime, 2)

    def activate(self, window):
        """What a taskbar's click does: the window shown, restored if minimised, and raised."""
        self._ask(window, "_NET_ACTIVE_WINDOW", 2, X.CurrentTime, 0)

    def minimise(self, window):
        """ICCCM's request to iconify, which a minimise button makes."""
        self._ask(window, "WM_CHANGE_STATE", 3)

    def placement(self, window):
        """(x, y, width, height) of window's content on the screen."""
        target = self._x.create_resource_object("window", int(window))
        size = target.get_geometry()
        origin = target.translate_coords(self._root, 0, 0)
        return -origin.x, -origin.y, size.width, size.height

    def frame_extents(self, window):
        """(left, right, top, bottom) of the frame the window manager drew around window."""
        target = self._x.create_resource_object("window", int(window))
        extents = target.get_full_property(self._x.intern_atom("_NET_FRAME_EXTENTS"), X.AnyPropertyType)
        return tuple(extents.value) if extents else (0, 0, 0, 0)

    def wait_until_viewable(self, window, viewable, timeout=5):
        """Whether the window became viewable (or stopped being so) within timeout."""
        target = self._x.create_resource_object("window", int(window))
        deadline = time.monotonic() + timeout
        while (target.get_attributes().map_state == X.IsViewable) != viewable:
            if time.monotonic() > deadline:
                return False
            time.sleep(0.1)
        return True

    def stall(self):
        self.process.send_signal(signal.SIGSTOP)

    def resume(self):
        self.process.send_signal(signal.SIGCONT)

    def kill(self):
        """Dies on the spot, as a crashed window manager does: the X server gives its windows back."""
        if self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait()
            self._x.sync()


def openbox(display, folder, rules=""):
    config = folder / "openbox-rc.xml"
    config.write_text(OPENBOX_CONFIG.format(rules=rules))
    return WindowManager(display, ["openbox", "--config-file", str(config)], folder)


def i3(display, folder, rules=""):
    config = folder / "i3.config"
    config.write_text(I3_CONFIG.format(rules=rules))
    return WindowManager(display, ["i3", "-c", str(config)], folder)


def i3_command(display, command):
    """An i3 command (e.g. "workspace 2"), through i3-msg, which finds i3 through the display."""
    subprocess.run(["i3-msg", command], env=dict(os.environ, DISPLAY=display), check=True, capture_output=True,
                   timeout=10)


class Framed:
    """A game under a window manager that chose its window's size, and where its field should be."""

    def __init__(self, game, desktop, screen_size, window_timeout=30):
        self.game, self.screen_size = game, screen_size
        game.window = game.find_own_window(window_timeout)
        # A window larger than the screen is fitted once the window manager has framed it.
        deadline = time.monotonic() + 10
        while True:
            self.placement = desktop.placement(game.window)
            self.extents = desktop.frame_extents(game.window)
            if self.within_screen() or time.monotonic() > deadline:
                break
            time.sleep(0.2)
        self.field = Field(*self.placement[2:])

    def within_screen(self):
        (x, y, width, height), (left, right, top, bottom) = self.placement, self.extents
        return x - left >= 0 and y - top >= 0 and x + width + right <= self.screen_size[0] and \
            y + height + bottom <= self.screen_size[1]
