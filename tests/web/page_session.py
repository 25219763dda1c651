"""The page in headless Chromium, real input by DevTools: the scenario runner's driver."""
import base64
import pathlib
import subprocess
import sys
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools"))
sys.path.insert(0, str(ROOT / "tests" / "scenarios"))
from picture_codecs import read_rgba_png  # noqa: E402
from scenario import differences  # noqa: E402

CHROMIUM_FLAGS = [
    "--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--force-device-scale-factor=1", "--force-color-profile=srgb", "--window-size=800,600",
]
SERVER = ROOT / "tools" / "web" / "serve.py"
MUNYU = 37  # the chick's place in the scene table (front-most first)
# name: (code, key, virtual key)
KEY_CODES = {"space": ("Space", " ", 32), "z": ("KeyZ", "z", 90), "m": ("KeyM", "m", 77),
             "Up": ("ArrowUp", "ArrowUp", 38), "Left": ("ArrowLeft", "ArrowLeft", 37),
             "Shift": ("ShiftLeft", "Shift", 16), "Tab": ("Tab", "Tab", 9),
             "F5": ("F5", "F5", 116), "F12": ("F12", "F12", 123), "Escape": ("Escape", "Escape", 27)}
# The standard mapping's buttons; the left stick's vertical axis is 1.
PAD_BUTTONS = {"a": 0, "b": 1, "y": 3, "back": 8, "start": 9, "dpup": 12, "dpleft": 14,
               "dpright": 15}
PAD_STAND_IN = """window.pads = [];
navigator.getGamepads = () => window.pads;
window.plugPad = (index) => { pads[index] = { index, connected: true, mapping: 'standard',
  axes: [0, 0, 0, 0], buttons: Array.from({ length: 17 }, () => ({ pressed: false, value: 0 })) }; };"""
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


class PageSession:
    def __init__(self, folder, profile, server_args=()):
        self.folder, self.profile, self.server_args = folder, profile, server_args
        self.errors, self.pad, self.finger = [], 0, False

    def __enter__(self):
        self.serve()
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in CHROMIUM_FLAGS + [f"--user-data-dir={self.profile}"]:
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        try:
            self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"),
                                           options=options)
            self.driver.get(self.url)
        except BaseException:
            self.stop_serving()
            raise
        return self

    def __exit__(self, *exc):
        try:
            self.driver.quit()
        finally:
            self.stop_serving()

    def serve(self, port=0):
        # Again on the same port: the same origin.
        self.server = subprocess.Popen(
            ["/usr/bin/python3", str(SERVER), str(self.folder), str(port), *self.server_args],
            stdout=subprocess.PIPE, text=True)
        self.url = self.server.stdout.readline().strip()

    def stop_serving(self):
        self.server.terminate()
        self.server.wait(10)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def cdp(self, command, **parameters):
        return self.driver.execute_cdp_cmd(command, parameters)

    def open(self, path=""):
        self.driver.get(self.url + path)
        self.wait_for("return window.munyura && window.munyura.firstFrameMs !== null",
                      "the first frame")

    def wait_for(self, script, what, timeout=30):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if value := self.js(script):
                return value
            time.sleep(0.05)
        raise AssertionError(f"timed out waiting for {what}")

    def settle(self):
        # until the frame the last event asked for has been drawn
        self.driver.execute_async_script(
            "requestAnimationFrame(() => requestAnimationFrame(arguments[0]));")

    def console(self, words=""):
        """The console's lines since the last call that hold `words`."""
        entries = self.driver.get_log("browser")
        self.errors += [e for e in entries if e["level"] == "SEVERE"]
        return [e["message"] for e in entries if words in e["message"]]

    def key(self, name, kinds=("keyDown", "keyUp"), repeat=False, modifiers=0):
        code, key, virtual_key = KEY_CODES[name]
        for kind in kinds:
            event = {"type": kind, "code": code, "key": key, "windowsVirtualKeyCode": virtual_key,
                     "autoRepeat": repeat, "modifiers": modifiers}
            if kind == "keyDown" and len(key) == 1 and not modifiers:
                event["text"] = key
            elif kind == "keyDown":
                event["type"] = "rawKeyDown"
            self.cdp("Input.dispatchKeyEvent", **event)

    def mouse(self, x, y):
        for kind in ("mousePressed", "mouseReleased"):
            self.cdp("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", buttons=1,
                     clickCount=1)

    def point(self, target, dx=0.0, dy=0.0):
        # an element's centre moved by fractions of its size, or game point (target, dx)
        if target == "strat":  # STRAT's centre as it slides by
            c = self.js("return window.munyura.game.controls()[5];")
            return self.js(POINT, "game", c["left"] + c["width"] / 2, c["top"] + c["height"] / 2)
        if isinstance(target, str):
            return self.js(POINT, target, dx, dy)
        return self.js(POINT, "game", target + 0.5, dx + 0.5)  # a game point's centre

    def touch(self, kind, points):
        # touchStart and touchMove list every finger down, touchEnd those it lifts (none: all)
        self.cdp("Input.dispatchTouchEvent", type=kind,
                 touchPoints=[{"x": x, "y": y, "id": n} for n, x, y in points])

    def pad_input(self, entry, down):
        kind, what = entry
        self.js("""const [pad, button, value] = arguments;
            if (button === null) pads[pad].axes[1] = value;
            else pads[pad].buttons[button] = { pressed: value !== 0, value };""",
                self.pad, PAD_BUTTONS.get(what), (what if kind == "stick" else 1) * down)
        if down:
            self.ticks(2)  # the page reads its pads once a frame: let it see the press

    def down(self, entry):
        kind, *what = entry
        if kind == "finger":  # a finger already on the d-pad slides on
            self.touch("touchMove" if self.finger else "touchStart", [(1, *self.point(*what))])
            self.finger = True
            return
        if self.finger:  # left on after a slide: lifted now
            self.touch("touchEnd", [])
            self.finger = False
        if kind == "key":
            self.key(what[0], ["keyDown"])
        elif kind == "click":
            self.mouse(*self.point(*what))
        elif kind == "tap":
            self.touch("touchStart", [(1, *self.point(*what))])
            self.touch("touchEnd", [])
        else:
            self.pad_input(entry, True)

    def up(self, entry, slide=False):
        kind, *what = entry
        if kind == "key":
            self.key(what[0], ["keyUp"])
        elif kind == "finger" and not slide:  # after a slide it stays on for the next
            self.touch("touchEnd", [])
            self.finger = False
        elif kind in ("pad", "stick"):
            self.pad_input(entry, False)

    def ticks(self, count):
        self.driver.execute_async_script("""const [count, done] = arguments;
            const start = performance.now(), ticks = window.munyura.tickTimes;
            const wait = () => ticks.filter((t) => t > start).length >= count
              ? done() : setTimeout(wait, 10);
            wait();""", count)

    def repeat(self, entry):
        if entry[0] == "key":  # the keyboard's auto-repeat
            self.key(entry[1], ["keyDown"], repeat=True)
        time.sleep(0.03)

    def state(self):
        state = self.js(STATE)
        return dict(state, room=tuple(state["room"]), chick=tuple(state["chick"]))

    def look(self, expect, state):
        checks = []
        if expect.band is not None:  # the live region reads Label1 aloud, at its next frame
            read = state["band"] or ""
            for _ in range(20):
                told = self.js("return document.getElementById('message').textContent")
                if told == read:
                    break
                self.settle()
            checks.append((told == read, f"read aloud: {read!r}"))
        if expect.picker is not None:
            want = [expect.picker, True] if expect.picker is not False else False
            checks.append((state["picker"] == want, f"the picker {want}: {state['picker']}"))
        if expect.looks:
            name, masks, text = expect.looks
            chick = state["controls"][MUNYU]
            masks = [(chick["left"], chick["top"], chick["left"] + 50, chick["top"] + 50),
                     (510, 172, 560, 242)] if masks == ["chick"] else masks
            self.settle()
            wrong = differences(self.canvas_rows(), name, masks, text)
            checks.append((not wrong, f"the picture is the desktop's {name} outside the text"
                           + (f": {len(wrong)} pixels differ, first {wrong[:5]}" if wrong else "")))
        return checks

    def canvas_rows(self, size=(621, 380)):
        url = self.js("return document.getElementById('game').toDataURL('image/png');")
        width, height, rows = read_rgba_png(base64.b64decode(url.split(",")[1]))
        assert (width, height) == size, f"canvas is {width} x {height}"
        return [[tuple(row[x:x + 3]) for x in range(0, width * 4, 4)] for row in rows]
