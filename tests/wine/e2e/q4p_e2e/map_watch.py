"""The moment a window reaches the X display, read from the X server's own MapNotify
event rather than by polling: a poll adds a random delay of up to its period, which
at launch times of some 200 ms is noise of the order of the figures compared."""

import ctypes
import ctypes.util
import select
import time

MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19


class _MapEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("event", ctypes.c_ulong), ("window", ctypes.c_ulong),
                ("override_redirect", ctypes.c_int)]


class _Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xmap", _MapEvent), ("pad", ctypes.c_long * 24)]


def _xlib():
    x = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    x.XFlush.argtypes = [ctypes.c_void_p]
    x.XConnectionNumber.argtypes = [ctypes.c_void_p]
    x.XPending.argtypes = [ctypes.c_void_p]
    x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(_Event)]
    x.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
    x.XFree.argtypes = [ctypes.c_void_p]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return x


class MapWatch:
    """Watches the top-level windows of one display being mapped."""

    def __init__(self, display_name):
        self._x = _xlib()
        self._display = self._x.XOpenDisplay(display_name.encode())
        if not self._display:
            raise OSError(f"cannot open X display {display_name}")
        root = self._x.XDefaultRootWindow(self._display)
        self._x.XSelectInput(self._display, root, SUBSTRUCTURE_NOTIFY_MASK)
        self._x.XFlush(self._display)
        self._fd = self._x.XConnectionNumber(self._display)

    def close(self):
        if self._display:
            self._x.XCloseDisplay(self._display)
            self._display = None

    def _name(self, window):
        name = ctypes.c_char_p()
        if not self._x.XFetchName(self._display, window, ctypes.byref(name)) or not name.value:
            return None
        text = name.value.decode("utf-8", "replace")
        self._x.XFree(name)
        return text

    def forget(self):
        """Drops the events seen so far: only windows mapped after this count."""
        event = _Event()
        while self._x.XPending(self._display):
            self._x.XNextEvent(self._display, ctypes.byref(event))

    def wait_mapped(self, title, timeout):
        """time.monotonic() at the moment a window named `title` was mapped; None when
        none was within `timeout` seconds."""
        deadline = time.monotonic() + timeout
        event = _Event()
        while True:
            while self._x.XPending(self._display):
                self._x.XNextEvent(self._display, ctypes.byref(event))
                if event.type == MAP_NOTIFY and self._name(event.xmap.window) == title:
                    return time.monotonic()
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                return None
            select.select([self._fd], [], [], remaining)
