"""A page of build/web/ served on localhost and opened in Debian's headless
Chromium through chromedriver, with real input events from the DevTools
protocol. Shared by the page's test and its bench."""
import pathlib
import subprocess
import sys

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tools"))
from picture_codecs import read_rgba_png  # noqa: E402

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


def read_png(path):
    """The RGB pixels of an 8-bit RGBA or RGB PNG, row after row."""
    width, _, rows = read_rgba_png(pathlib.Path(path).read_bytes())
    return [tuple(row[x:x + 3]) for row in rows for x in range(0, width * 4, 4)]
