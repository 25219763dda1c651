"""A real X display for the end-to-end tests, and a player's hands on it:
xdotool's keys and clicks, import's screenshots, a window manager's close."""
import collections
import contextlib
import ctypes
import ctypes.util
import os
import pathlib
import struct
import subprocess
import sys
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parents[2]
TUNE = str(ROOT / "assets" / "bdmidi.mid")
RATE = 44100  # SDL's disk driver writes stereo 32-bit floats at it
sys.path.insert(0, str(ROOT / "tests" / "scenarios"))
from scenario import HEIGHT, WIDTH, Failures, differences  # noqa: E402

failures = Failures()
outcome = failures.outcome


def keep(screen):
    path = os.path.abspath("failed-screen-%d.ppm" % time.monotonic_ns())
    pathlib.Path(path).write_bytes(b"P6 %d %d 255\n" % (screen.width, screen.height) + screen.rgb)
    print("      the screen is in " + path, flush=True)


def check(condition, what, screen=None):
    if not failures.check(condition, what) and screen:
        keep(screen)


@contextlib.contextmanager
def running(*args, **kwargs):
    process = subprocess.Popen(*args, **kwargs)
    try:
        yield process
    finally:
        if process.poll() is None:
            process.kill()


def waited(answer, failure):
    for _ in range(200):
        if got := answer():
            return got
        # Not sooner: a burst of connections can crowd out the game's own.
        time.sleep(0.1)
    raise AssertionError(failure())


def has_locale(name):
    listed = lambda: name.replace("UTF-8", "utf8") in subprocess.run(  # noqa: E731
        ["locale", "-a"], capture_output=True, text=True).stdout.split()
    if not listed() and os.geteuid() == 0:
        subprocess.run(["localedef", "-i", name.split(".")[0], "-f", "UTF-8", name])
    return listed()


def heard(display, command, capture, env=(), seconds=1.5, end=None, look=None):
    """`command` for `seconds` after its window shows, then closed or sent the signal `end`,
    heard through SDL's disk driver in `capture`: its status, its lines on stderr, its sound,
    the seconds it took to end (infinite if not within 10 s) and `look(window)` as it showed."""
    import numpy  # here: the tools that share this module do without it
    env = dict(display.env, SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=capture) | dict(env)
    with running(command, env=env, stderr=subprocess.PIPE, text=True) as game:
        window = display.find_window(game)
        seen = look(window) if look else None
        time.sleep(seconds)
        ending = time.monotonic()
        game.send_signal(end) if end else display.close_window(window)
        try:  # without SDL's own two lines about its disk driver
            errors = [line for line in game.communicate(timeout=10)[1].splitlines()
                      if not line.startswith("CRITICAL: ")]
            took = time.monotonic() - ending
        except subprocess.TimeoutExpired:
            errors, took = [], float("inf")
    sound = numpy.fromfile(capture, numpy.float32) if os.path.exists(capture) else numpy.zeros(0)
    return game.returncode, errors, sound, took, seen


class XDisplay(contextlib.AbstractContextManager):
    """$DISPLAY, or else (or when `private`) an Xvfb of its own; its own settings folder."""

    def __init__(self, size="1024x768", private=False):
        self._xvfb = self._window_manager = None
        self.name = None if private else os.environ.get("DISPLAY")
        if not self.name:
            read_end, write_end = os.pipe()
            # -noreset: else it starts over, refusing connections, as its last client leaves.
            self._xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", size + "x24", "-noreset",
                 "-nolisten", "tcp"], pass_fds=[write_end], stderr=subprocess.DEVNULL)
            os.close(write_end)
            with os.fdopen(read_end) as announced:
                self.name = ":" + announced.readline().strip()
        self._config = tempfile.TemporaryDirectory()
        self.env = dict(os.environ, DISPLAY=self.name, XDG_CONFIG_HOME=self._config.name)

    def __exit__(self, *_):
        self.close()

    def start_window_manager(self):
        """Openbox, for fullscreen and window frames, once it manages the screen."""
        self._window_manager = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                                stdout=subprocess.DEVNULL,
                                                stderr=subprocess.DEVNULL)
        waited(lambda: "window id" in self.run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"),
               lambda: "openbox did not start")

    def close(self, kill=False):
        self._config.cleanup()
        for process in (self._window_manager, self._xvfb):
            if process:
                process.kill() if kill and process is self._xvfb else process.terminate()
                process.wait()

    def run(self, *args):
        return subprocess.run(args, env=self.env, capture_output=True, text=True).stdout

    def find_window(self, process):
        pid = str(process.pid)
        found = waited(lambda: self.run("xdotool", "search", "--onlyvisible", "--pid", pid),
                       lambda: f"the game showed no window (its status: {process.poll()})")
        return int(found.split()[0])

    def window_name(self, window):
        return self.run("xdotool", "getwindowname", str(window)).strip()

    def window_size(self, window):
        info = dict(line.strip().split(":", 1) for line in
                    self.run("xwininfo", "-id", str(window)).splitlines() if ":" in line)
        return int(info["Width"]), int(info["Height"])

    def focus(self, window):
        self.run("xdotool", "windowfocus", "--sync", str(window))

    def key(self, name):
        self.run("xdotool", "key", name)

    def click(self, window, x, y):
        self.run("xdotool", "mousemove", "--window", str(window), str(x), str(y), "click", "1")

    def screenshot(self, window):
        width, height = self.window_size(window)
        raw = subprocess.run(["import", "-window", str(window), "-depth", "8", "rgb:-"],
                             env=self.env, check=True, capture_output=True).stdout
        return Picture(width, height, raw)

    def close_window(self, window):
        """Sends the window WM_DELETE_WINDOW, as a window manager's close button does."""
        xlib = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
        xlib.XOpenDisplay.restype = ctypes.c_void_p
        display = ctypes.c_void_p(xlib.XOpenDisplay(self.name.encode()))
        protocols, delete = (xlib.XInternAtom(display, name, 0)
                             for name in (b"WM_PROTOCOLS", b"WM_DELETE_WINDOW"))
        # An XClientMessageEvent (33) in an XEvent's 192 bytes: type, serial,
        # send_event, display, window, message_type, format, five longs of data.
        event = struct.pack("iQiQQQi5q", 33, 0, 0, 0, window, protocols, 32, delete, 0, 0, 0, 0)
        xlib.XSendEvent(display, ctypes.c_ulong(window), 0, ctypes.c_long(0), event.ljust(192, b"\0"))
        xlib.XCloseDisplay(display)


class Picture(collections.namedtuple("Picture", "width height rgb")):
    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def region(self, left, top, width, height):
        return [[self.at(x, y) for x in range(left, left + width)]
                for y in range(top, top + height)]

    def count(self, colour, left=0, top=0, width=None, height=None):
        width, height = width or self.width - left, height or self.height - top
        return sum(row.count(colour) for row in self.region(left, top, width, height))


def played(display, player, play, **env):
    """pad_player's status, stderr's lines and what `play` (given its GameDriver) returned."""
    with running([player], env=dict(display.env, SDL_AUDIODRIVER="dummy", **env),
                 stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                 text=True) as game:
        driver = GameDriver(display, game)
        result = play(driver)
        display.close_window(driver.window)
        return game.wait(timeout=20), game.stderr.read().splitlines(), result


class GameDriver:
    """The scenario runner's hands and eyes on pad_player's window: keys,
    clicks and the virtual pad in; Form1's state and screenshots out."""

    NAVY, WHITE, GREY = (0, 0, 128), (255, 255, 255), (64, 64, 64)
    # Let go as the room changes, the chick stands right of the monument.
    CHICK_MASK = (382, 120, 621, 245)

    def __init__(self, display, game):
        self.display, self.game = display, game
        self.window = display.find_window(game)

    def send(self, line, answer=None):
        """Sends a command; then the line beginning with `answer`, if given."""
        self.game.stdin.write(line + "\n")
        self.game.stdin.flush()
        return next((told.rstrip("\n") for told in self.game.stdout if told.startswith(answer)),
                    None) if answer else None

    def state(self, ticks=1):
        words, band = self.send(f"ticks {ticks}", "state").split(" band=")
        told = dict(word.split("=") for word in words.split()[1:])
        return {"title": told["title"] == "1", "room": tuple(map(int, told["room"].split(","))),
                "chick": tuple(map(float, told["chick"].split(","))), "band": band != "-" and band,
                "held": [k for k, flag in zip((37, 39, 38, 40), told["held"]) if flag == "1"]}

    def down(self, entry):
        if entry[0] == "key":
            self.display.run("xdotool", "keydown", entry[1])
        elif entry[0] == "click":
            self.display.click(self.window, *entry[1:])
        else:
            self.send(f"axis lefty {entry[1]}" if entry[0] == "stick" else f"button {entry[1]} 1")

    def up(self, entry, slide=False):
        if entry[0] == "key":
            self.display.run("xdotool", "keyup", entry[1])
        elif entry[0] != "click":
            self.send("axis lefty 0" if entry[0] == "stick" else f"button {entry[1]} 0")

    ticks = state  # the state it then tells goes unread

    def repeat(self, entry):
        pass  # the X server repeats a held key, the game's held controls a pad's

    def look(self, expect, state):
        if not expect.looks and expect.picker is None:
            return []
        screen, checks = self.display.screenshot(self.window), []
        if expect.looks:  # the text too: the window's pixels are its reference images'
            name, masks, _ = expect.looks
            wrong = differences(screen.region(0, 0, WIDTH, HEIGHT), name,
                                [self.CHICK_MASK] if masks == ["chick"] else masks, [])
            checks.append((not wrong, f"the window is {name}: {len(wrong)} pixels differ"))
        band = screen.count(self.GREY, 0, 316, 621, 64) > 1000  # the picker's
        if expect.picker is False:
            checks.append((not band and screen.count(self.NAVY) == 0, "nothing of the picker left"))
        elif expect.picker is not None:
            # The highlighted cell navy with a white letter, the others white (over 60 % of it).
            fills = [(screen.count(self.NAVY, *cell), screen.count(self.WHITE, *cell)) for cell in
                     ((6 + n % 13 * 47, 320 + n // 13 * 29, 45, 27) for n in range(26))]
            marked = [n for n, (navy, white) in enumerate(fills) if navy > 729 and white > 10]
            plain = [n for n, (_, white) in enumerate(fills) if white > 729]
            checks.append((band and marked == [expect.picker] and len(plain) == 25,
                           f"the picker's band, {expect.picker} marked: {marked}"))
        if not all(ok for ok, _ in checks):
            keep(screen)
        return checks
