"""Does to a window on the X server in $DISPLAY what a window manager does, through Xlib.

The tests' Xvfb runs no window manager, so these stand in for one, as the ICCCM describes it:
iconifying unmaps the window and sets its WM_STATE to Iconic, restoring maps it and sets it to
Normal, and closing sends it a WM_DELETE_WINDOW message.
"""

import ctypes
import ctypes.util
import os

_NORMAL_STATE, _ICONIC_STATE = 1, 3
_PROP_MODE_REPLACE = 0
_CLIENT_MESSAGE = 33
_CURRENT_TIME = 0


class _ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class _Event(ctypes.Union):
    _fields_ = [("xclient", _ClientMessage), ("pad", ctypes.c_long * 24)]


def _xlib():
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    display, window, atom = ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong
    signatures = {
        "XOpenDisplay": (display, [ctypes.c_char_p]),
        "XCloseDisplay": (ctypes.c_int, [display]),
        "XInternAtom": (atom, [display, ctypes.c_char_p, ctypes.c_int]),
        "XChangeProperty": (ctypes.c_int, [display, window, atom, atom, ctypes.c_int, ctypes.c_int,
                                           ctypes.c_void_p, ctypes.c_int]),
        "XMapWindow": (ctypes.c_int, [display, window]),
        "XUnmapWindow": (ctypes.c_int, [display, window]),
        "XSendEvent": (ctypes.c_int, [display, window, ctypes.c_int, ctypes.c_long, ctypes.POINTER(_Event)]),
        "XSync": (ctypes.c_int, [display, ctypes.c_int]),
    }
    for name, (result, arguments) in signatures.items():
        function = getattr(xlib, name)
        function.restype, function.argtypes = result, arguments
    return xlib


class WindowManager:
    """A connection to the X server that acts on windows by their X id."""

    def __init__(self):
        self._x = _xlib()
        self._display = self._x.XOpenDisplay(os.environ.get("DISPLAY", "").encode())
        if not self._display:
            raise OSError(f"cannot open the X display {os.environ.get('DISPLAY')!r}")

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self._x.XCloseDisplay(self._display)

    def _atom(self, name):
        return self._x.XInternAtom(self._display, name.encode(), 0)

    def _set_state(self, window, state):
        data = (ctypes.c_long * 2)(state, 0)
        wm_state = self._atom("WM_STATE")
        self._x.XChangeProperty(self._display, int(window), wm_state, wm_state, 32, _PROP_MODE_REPLACE, data, 2)

    def iconify(self, window):
        self._x.XUnmapWindow(self._display, int(window))
        self._set_state(window, _ICONIC_STATE)
        self._x.XSync(self._display, 0)

    def restore(self, window):
        self._x.XMapWindow(self._display, int(window))
        self._set_state(window, _NORMAL_STATE)
        self._x.XSync(self._display, 0)

    def request_close(self, window):
        """What the title bar's close button does: the window decides whether to go."""
        event = _Event()
        message = event.xclient
        message.type = _CLIENT_MESSAGE
        message.window = int(window)
        message.message_type = self._atom("WM_PROTOCOLS")
        message.format = 32
        message.data[0] = self._atom("WM_DELETE_WINDOW")
        message.data[1] = _CURRENT_TIME
        self._x.XSendEvent(self._display, int(window), 0, 0, ctypes.byref(event))
        self._x.XSync(self._display, 0)
