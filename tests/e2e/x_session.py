"""A real X display for the end-to-end tests, and what a player does on it:
key presses and clicks through XTEST (xdotool), screenshots (ImageMagick's
import), and closing a window the way a window manager's close button does."""

import contextlib
import ctypes
import ctypes.util
import os
import subprocess
import tempfile
import time

failures = []


def check(condition, what, screen=None):
    """Records one check; a failed one keeps its screenshot for a look."""
    print(("ok    " if condition else "FAIL  ") + what, flush=True)
    if not condition:
        failures.append(what)
        if screen:
            path = os.path.abspath("failed-check-%d.ppm" % len(failures))
            screen.save(path)
            print("      the screen is in " + path, flush=True)


@contextlib.contextmanager
def running(*args, **kwargs):
    """A process (a Popen) that is killed if it still runs when the block ends."""
    process = subprocess.Popen(*args, **kwargs)
    try:
        yield process
    finally:
        if process.poll() is None:
            process.kill()


def outcome():
    """The test's exit status, once its failed checks are counted."""
    if failures:
        print("%d check(s) failed" % len(failures))
    return 1 if failures else 0


class XDisplay:
    """The display named by $DISPLAY, or a private Xvfb when there is none
    (always, when `private`) with a screen of `size`."""

    def __init__(self, size="1024x768", private=False):
        self._xvfb = None
        self._window_manager = None
        self.name = None if private else os.environ.get("DISPLAY")
        if not self.name:
            read_end, write_end = os.pipe()
            # -noreset: by default the server starts over whenever its last
            # client leaves, and refuses connections meanwhile, so a game
            # started just after another one closed could find no display.
            self._xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", size + "x24", "-noreset",
                 "-nolisten", "tcp"],
                pass_fds=[write_end], stderr=subprocess.DEVNULL)
            os.close(write_end)
            with os.fdopen(read_end) as announced:
                self.name = ":" + announced.readline().strip()
        # The game remembers its window's settings; each display gets a
        # settings folder of its own, so no earlier run's zoom leaks in.
        self._config = tempfile.TemporaryDirectory()
        self.env = dict(os.environ, DISPLAY=self.name, XDG_CONFIG_HOME=self._config.name)

    def start_window_manager(self):
        """Openbox, as a desktop has one: fullscreen and window frames need
        a window manager. Returns once it manages the screen."""
        self._window_manager = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                                stdout=subprocess.DEVNULL,
                                                stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            root = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                                  capture_output=True, text=True).stdout
            if "window id" in root:
                return
            time.sleep(0.1)
        raise AssertionError("openbox did not start")

    def close(self, kill=False):
        """Ends the window manager and a private Xvfb: politely, or the Xvfb
        at once with `kill`."""
        self._config.cleanup()
        if self._window_manager:
            self._window_manager.terminate()
            self._window_manager.wait()
        if self._xvfb:
            self._xvfb.kill() if kill else self._xvfb.terminate()
            self._xvfb.wait()

    def run(self, *args):
        return subprocess.run(args, env=self.env, check=True, capture_output=True,
                              text=True).stdout

    def find_window(self, process, timeout=20.0):
        """The visible window of the running `process` (a Popen), once it is
        mapped."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid",
                                    str(process.pid)],
                                   env=self.env, capture_output=True, text=True).stdout.split()
            if found:
                return int(found[0])
            if process.poll() is not None:
                raise AssertionError("the game ended with status %d before it showed a window"
                                     % process.returncode)
            # Not faster: every search is a new connection to the display,
            # and a burst of them can crowd out the game's own.
            time.sleep(0.1)
        raise AssertionError("the game showed no window within %.0f s" % timeout)

    def window_name(self, window):
        return self.run("xdotool", "getwindowname", str(window)).strip()

    def window_size(self, window):
        info = self.run("xwininfo", "-id", str(window))
        fields = dict(line.strip().split(":", 1) for line in info.splitlines() if ":" in line)
        return int(fields["Width"]), int(fields["Height"])

    def focus(self, window):
        self.run("xdotool", "windowfocus", "--sync", str(window))

    def key(self, name):
        self.run("xdotool", "key", name)

    def hold(self, name, seconds):
        self.run("xdotool", "keydown", name)
        time.sleep(seconds)
        self.run("xdotool", "keyup", name)

    def click(self, window, x, y):
        self.run("xdotool", "mousemove", "--window", str(window), str(x), str(y),
                 "click", "1")

    def screenshot(self, window):
        """The window's inner area as rows of (r, g, b) tuples."""
        width, height = self.window_size(window)
        raw = subprocess.run(["import", "-window", str(window), "-depth", "8", "rgb:-"],
                             env=self.env, check=True, capture_output=True).stdout
        if len(raw) != width * height * 3:
            raise AssertionError("a %dx%d screenshot came back with %d bytes"
                                 % (width, height, len(raw)))
        return Picture(width, height, raw)

    def close_window(self, window):
        """Asks the window to close with WM_DELETE_WINDOW, as a window
        manager does when the player clicks the title bar's close button."""
        xlib = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
        xlib.XOpenDisplay.restype = ctypes.c_void_p
        display = ctypes.c_void_p(xlib.XOpenDisplay(self.name.encode()))
        if not display:
            raise AssertionError("cannot open display " + self.name)

        class ClientMessage(ctypes.Structure):
            _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                        ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                        ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                        ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
                        ("pad", ctypes.c_long * 12)]

        atom = lambda name: xlib.XInternAtom(display, name, 0)  # noqa: E731
        event = ClientMessage(type=33, window=window, format=32,  # 33: ClientMessage
                              message_type=atom(b"WM_PROTOCOLS"), data=(atom(b"WM_DELETE_WINDOW"),))
        xlib.XSendEvent(display, ctypes.c_ulong(window), 0, ctypes.c_long(0), ctypes.byref(event))
        xlib.XFlush(display)
        xlib.XCloseDisplay(display)


class Picture:
    def __init__(self, width, height, rgb):
        self.width, self.height, self._rgb = width, height, rgb

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self._rgb[i:i + 3])

    def save(self, path):
        """Writes the picture as a binary PPM, which any image viewer opens."""
        with open(path, "wb") as f:
            f.write(b"P6 %d %d 255\n" % (self.width, self.height) + self._rgb)

    def region(self, left, top, width, height):
        return [[self.at(x, y) for x in range(left, left + width)]
                for y in range(top, top + height)]

    def count(self, colour, left=0, top=0, width=None, height=None):
        width = self.width - left if width is None else width
        height = self.height - top if height is None else height
        return sum(row.count(colour) for row in self.region(left, top, width, height))



class XDriver:
    """The scenario runner's hands and eyes on the real window: xdotool's
    keys and clicks in; out, what a screenshot shows as the reference images
    the renderer's tests keep have it (the window's pixels are theirs)."""

    GREEN, RED = (0, 255, 0), (255, 0, 0)
    BAND, CHICK, MONUMENT = (0, 248, 617, 129), (280, 192, 47, 49), (232, 88, 150, 150)
    # Let go as the room changes, the chick stands right of the monument, in
    # the doorway's rows, where the reference image has it too.
    CHICK_MASK = (382, 120, 621, 245)

    def __init__(self, display, window):
        from scenario import inscription, reference
        self.display, self.window, self.screen = display, window, None
        self.golden = {name: reference(name)
                       for name in ("title", "room-0-0", "closed-doorways", "inscription")}
        self.monuments = {0: "room-0-0", 6: "closed-doorways"}
        from moments import INSTRUCTIONS
        self.bands = {"title": INSTRUCTIONS, "inscription": inscription(0)}

    def down(self, entry):
        if entry[0] == "key":
            self.display.run("xdotool", "keydown", entry[1])
        else:
            self.display.click(self.window, *entry[1:])

    def up(self, entry, slide=False):
        if entry[0] == "key":
            self.display.run("xdotool", "keyup", entry[1])

    def ticks(self, count):
        time.sleep(count * 0.06)

    def repeat(self, entry):
        pass  # the X server repeats a held key

    def region(self, box, name=None):
        """A box of the reference image `name`, or of the last screenshot."""
        if not name:
            return self.screen.region(*box)
        left, top, width, height = box
        return [row[left:left + width] for row in self.golden[name][top:top + height]]

    def state(self):
        self.screen = self.display.screenshot(self.window)
        title = self.screen.count(self.GREEN, *self.BAND) > 0.8 * 617 * 129 and \
            self.screen.count(self.RED, 0, 128, 621, 49) > 1000
        band = [text for name, text in self.bands.items()
                if self.region(self.BAND) == self.region(self.BAND, name)]
        band = False if self.screen.count(self.GREEN) == 0 else band[0] if band else "?"
        monument = [n for n, name in self.monuments.items()
                    if self.region(self.MONUMENT) == self.region(self.MONUMENT, name)]
        start = self.region(self.CHICK) == self.region(self.CHICK, "room-0-0")
        return {"title": title, "band": band, "monument": monument[0] if monument else None,
                "chick": (280, 192) if start else None}

    def look(self, expect, state):
        checks = []
        if expect.looks:
            from scenario import differences
            name, masks, text = expect.looks
            rows = [[self.screen.at(x, y) for x in range(621)] for y in range(380)]
            masks = [self.CHICK_MASK] if masks == ["chick"] else masks
            wrong = differences(rows, name, masks, text)
            checks.append((not wrong, f"the window is {name} outside the text"
                           + (f": {len(wrong)} pixels differ, first {wrong[:5]}" if wrong else "")))
        if not all(ok for ok, _ in checks):
            path = os.path.abspath("failed-screen-%d.ppm" % time.monotonic_ns())
            self.screen.save(path)
            print("      the screen is in " + path, flush=True)
        return checks
