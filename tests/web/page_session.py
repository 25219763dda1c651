"""A page of build/web/ served on localhost and opened in Debian's headless
Chromium through chromedriver, with real input events from the DevTools
protocol. Shared by the page's test and its bench."""
import base64
import pathlib
import subprocess
import sys
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tools"))
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "scenarios"))
from picture_codecs import read_rgba_png  # noqa: E402,F401 (page_offline_test reads it here)
from scenario import differences  # noqa: E402

CHROMIUM_FLAGS = [
    "--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--force-device-scale-factor=1", "--force-color-profile=srgb", "--window-size=800,600",
]
SERVER = pathlib.Path(__file__).resolve().parents[2] / "tools" / "web" / "serve.py"


class PageSession:
    def __init__(self, folder, profile, window_size=None, language=None, server_args=()):
        self.folder = folder
        self.profile = profile
        self.window_size = window_size
        self.language = language
        self.server_args = server_args
        self.errors = []

    def __enter__(self):
        self.serve()
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in CHROMIUM_FLAGS:
            options.add_argument(flag)
        if self.window_size:
            options.add_argument(f"--window-size={self.window_size}")
        options.add_argument(f"--user-data-dir={self.profile}")
        if self.language:
            # The browser's own language and the languages the page is told
            # the player reads (navigator.languages).
            options.add_argument(f"--lang={self.language}")
            options.add_experimental_option("prefs", {"intl.accept_languages": self.language})
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        try:
            self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"),
                                           options=options)
            self.driver.get(self.url)
        except BaseException:
            self.server.terminate()
            raise
        return self

    def __exit__(self, *exc):
        try:
            self.driver.quit()
        finally:
            self.stop_serving()

    def serve(self, port=0):
        """Starts serving the folder (again: on the same port, the same origin)."""
        self.server = subprocess.Popen(
            ["/usr/bin/python3", str(SERVER), str(self.folder), str(port), *self.server_args],
            stdout=subprocess.PIPE, text=True)
        self.url = self.server.stdout.readline().strip()

    def stop_serving(self):
        self.server.terminate()
        self.server.wait(10)

    def console_errors(self):
        self.errors += [e for e in self.driver.get_log("browser") if e["level"] == "SEVERE"]
        return self.errors

    def _key(self, kind, code, key, virtual_key, repeat=False):
        event = {"type": kind, "code": code, "key": key, "windowsVirtualKeyCode": virtual_key,
                 "autoRepeat": repeat}
        if kind == "keyDown" and len(key) == 1:
            event["text"] = key
        elif kind == "keyDown":
            event["type"] = "rawKeyDown"
        self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", event)

    def key_down(self, code, key, virtual_key, repeat=False):
        self._key("keyDown", code, key, virtual_key, repeat)

    def key_up(self, code, key, virtual_key):
        self._key("keyUp", code, key, virtual_key)

    def key(self, code, key, virtual_key):
        self.key_down(code, key, virtual_key)
        self.key_up(code, key, virtual_key)

    def click(self, game_x, game_y):
        """A left click at a point of the game's window, in game pixels."""
        x, y = self.driver.execute_script(
            """const b = document.getElementById('game').getBoundingClientRect();
            return [b.left + arguments[0] * b.width / 621, b.top + arguments[1] * b.height / 380];""",
            game_x + 0.5, game_y + 0.5)
        for kind in ("mousePressed", "mouseReleased"):
            self.driver.execute_cdp_cmd("Input.dispatchMouseEvent", {
                "type": kind, "x": x, "y": y, "button": "left", "buttons": 1, "clickCount": 1})


def wait_for(session, script, what, timeout=30):
    """The script's first truthy answer, asked every 50 ms."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = session.driver.execute_script(script)
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {what}")


def first_frame(session):
    wait_for(session, "return window.munyura && window.munyura.firstFrameMs !== null",
             "the first frame")


def settle(session):
    """Waits until the frame the last event asked for has been drawn."""
    session.driver.execute_async_script(
        "requestAnimationFrame(() => requestAnimationFrame(arguments[0]));")


MUNYU = 37  # the chick's place in the scene table (front-most first)
KEY_CODES = {"space": ("Space", " ", 32), "z": ("KeyZ", "z", 90), "Up": ("ArrowUp", "ArrowUp", 38),
             "Left": ("ArrowLeft", "ArrowLeft", 37)}
# The standard mapping's buttons; the left stick's vertical axis is 1.
PAD_BUTTONS = {"a": 0, "b": 1, "y": 3, "back": 8, "start": 9, "dpup": 12, "dpleft": 14,
               "dpright": 15}
PAD_STAND_IN = """
window.pads = [];
navigator.getGamepads = () => window.pads;
window.plugPad = (index) => {
  window.pads[index] = { index, connected: true, mapping: 'standard', axes: [0, 0, 0, 0],
    buttons: Array.from({ length: 17 }, () => ({ pressed: false, value: 0 })) };
};"""
STATE = """const g = window.munyura.game, c = g.controls(), p = g.picker();
const picker = document.getElementById('picker');
return { title: c[5].visible, room: [g.roomX(), g.roomY()], chick: [c[37].left, c[37].top],
  monument: [...Array(30).keys()].find((n) => g.pictureHandle(4 + n) === c[49].picture),
  band: c[36].visible && g.message(), held: [37, 38, 39, 40, 66, 81, 90].filter(g.keyHeld, g),
  picker: p.open && !picker.hidden ? [p.highlighted,
    picker.children[p.highlighted].classList.contains('highlighted')] : p.open || !picker.hidden,
  controls: c };"""
POINT = """const [id, x, y] = arguments, r = document.getElementById(id).getBoundingClientRect();
return id === 'game' ? [r.left + x * r.width / 621, r.top + y * r.height / 380]
                     : [r.left + r.width * (0.5 + x), r.top + r.height * (0.5 + y)];"""


class PageDriver:
    """The scenario runner's hands and eyes on the page: keys, clicks, touch
    and the pad stand-in in, window.munyura.game's state and the canvas out."""

    def __init__(self, session, pad=0):
        self.session, self.pad, self.finger, self.lift_pending = session, pad, None, False

    def js(self, script, *args):
        return self.session.driver.execute_script(script, *args)

    def point(self, target, dx=0.0, dy=0.0):
        """A page element's centre moved by fractions of its size, or a game
        point (STRAT's centre as it slides by)."""
        if target == "strat":
            c = self.js("return window.munyura.game.controls()[5];")
            target, dx, dy = c["left"] + c["width"] / 2, c["top"] + c["height"] / 2, None
        if isinstance(target, str):
            return self.js(POINT, target, dx, dy)
        return self.js(POINT, "game", target + 0.5, (dy if dy is not None else dx) + 0.5)

    def touch(self, kind, points):
        """Fingers as (id, x, y): a touchStart or touchMove lists every finger
        then down, a touchEnd the fingers it lifts (none listed: all)."""
        self.session.driver.execute_cdp_cmd("Input.dispatchTouchEvent", {
            "type": kind, "touchPoints": [{"x": x, "y": y, "id": n} for n, x, y in points]})

    def pad_input(self, entry, down):
        kind, what = entry
        if kind == "stick":
            self.js("window.pads[arguments[0]].axes[1] = arguments[1];", self.pad, what if down else 0)
        else:
            self.js("window.pads[arguments[0]].buttons[arguments[1]] ="
                    " { pressed: arguments[2], value: arguments[2] ? 1 : 0 };",
                    self.pad, PAD_BUTTONS[what], down)
        if down:
            self.ticks(2)  # the page reads its pads once a frame: let it see the press

    def down(self, entry):
        kind, *what = entry
        if kind == "finger":  # a finger already on the d-pad slides on
            self.touch("touchMove" if self.finger else "touchStart", [(1, *self.point(*what))])
            self.finger, self.lift_pending = True, False
            return
        if self.lift_pending:
            self.touch("touchEnd", [])
            self.finger, self.lift_pending = None, False
        if kind == "key":
            self.session.key_down(*KEY_CODES[what[0]])
        elif kind == "click":
            self.session.click(*what)
        elif kind == "tap":
            self.touch("touchStart", [(1, *self.point(*what))])
            self.touch("touchEnd", [])
        else:
            self.pad_input(entry, True)

    def up(self, entry, slide=False):
        kind, *what = entry
        if kind == "key":
            self.session.key_up(*KEY_CODES[what[0]])
        elif kind == "finger" and slide:
            self.lift_pending = True  # lifted at the next input but a slide
        elif kind == "finger":
            self.touch("touchEnd", [])
            self.finger = None
        elif kind in ("pad", "stick"):
            self.pad_input(entry, False)

    def ticks(self, count):
        self.session.driver.execute_async_script("""const [count, done] = arguments;
            const start = performance.now(), ticks = window.munyura.tickTimes;
            const wait = () => ticks.filter((t) => t > start).length >= count
              ? done() : setTimeout(wait, 10);
            wait();""", count)

    def repeat(self, entry):
        if entry[0] == "key":  # the keyboard's auto-repeat
            self.session.key_down(*KEY_CODES[entry[1]], repeat=True)
        time.sleep(0.03)

    def state(self):
        state = self.js(STATE)
        return dict(state, room=tuple(state["room"]), chick=tuple(state["chick"]))

    def look(self, expect, state):
        checks = []
        if expect.band is not None:  # the live region reads Label1 aloud, at its next frame
            read = state["band"] or ""
            for _ in range(20):
                if self.js("return document.getElementById('message').textContent") == read:
                    break
                settle(self.session)
            told = self.js("return document.getElementById('message').textContent")
            checks.append((told == read, f"read aloud: {read!r}"))
        if expect.picker is not None:
            want = [expect.picker, True] if expect.picker is not False else False
            checks.append((state["picker"] == want, f"the picker {want}: {state['picker']}"))
        if expect.looks:
            name, masks, text = expect.looks
            chick = state["controls"][MUNYU]
            masks = [(chick["left"], chick["top"], chick["left"] + 50, chick["top"] + 50),
                     (510, 172, 560, 242)] if masks == ["chick"] else masks
            settle(self.session)
            wrong = differences(canvas_rows(self.session), name, masks, text)
            checks.append((not wrong, f"the picture is the desktop's {name} outside the text"
                           + (f": {len(wrong)} pixels differ, first {wrong[:5]}" if wrong else "")))
        return checks


def canvas_rows(session, size=(621, 380)):
    """The canvas's (r, g, b) pixels, row after row."""
    width, height, raw = session.driver.execute_script(
        """const c = document.getElementById('game');
        const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
        let s = ''; for (let i = 0; i < d.length; i += 0x8000)
          s += String.fromCharCode.apply(null, d.subarray(i, i + 0x8000));
        return [c.width, c.height, btoa(s)];""")
    assert (width, height) == size, f"canvas is {width} x {height}"
    raw = base64.b64decode(raw)
    return [[tuple(raw[i:i + 3]) for i in range(row, row + width * 4, 4)]
            for row in range(0, len(raw), width * 4)]
