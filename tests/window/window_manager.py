"""Does to a window what a window manager does, through python-xlib.

The tests' Xvfb runs no window manager, so these stand in for one, as the ICCCM describes it:
iconifying unmaps the window and sets its WM_STATE to Iconic, restoring maps it and sets it to
Normal, and closing sends it a WM_DELETE_WINDOW message.
"""

from Xlib import X
from Xlib import display as xdisplay
from Xlib.protocol import event

_NORMAL_STATE, _ICONIC_STATE = 1, 3


class WindowManager:
    """A connection to the X server display that acts on windows by their X id."""

    def __init__(self, display):
        self._display = xdisplay.Display(display)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self._display.close()

    def _window(self, window):
        return self._display.create_resource_object("window", int(window))

    def _set_state(self, window, state):
        wm_state = self._display.intern_atom("WM_STATE")
        window.change_property(wm_state, wm_state, 32, [state, X.NONE])

    def iconify(self, window):
        window = self._window(window)
        window.unmap()
        self._set_state(window, _ICONIC_STATE)
        self._display.sync()

    def restore(self, window):
        window = self._window(window)
        window.map()
        self._set_state(window, _NORMAL_STATE)
        self._display.sync()

    def request_close(self, window):
        """What the title bar's close button does: the window decides whether to go."""
        window = self._window(window)
        message = event.ClientMessage(window=window, client_type=self._display.intern_atom("WM_PROTOCOLS"),
                                      data=(32, [self._display.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime,
                                                 0, 0, 0]))
        window.send_event(message, event_mask=X.NoEventMask)
        self._display.sync()

    def focus_nowhere(self):
        """Keyboard focus on no window, as when another program holds it."""
        self._display.set_input_focus(X.NONE, X.RevertToNone, X.CurrentTime)
        self._display.sync()
