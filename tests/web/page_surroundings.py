"""What the page adds around the game, checked by page_test.py in its browser."""
import json
import math
import re
import shutil
import subprocess
from urllib.parse import quote

from page_session import ROOT, read_rgba_png
from moments import KEYS, START
from scenario import run

GAME = quote("games/ムニュラ 1/")
MUTED = "ムニュラ (muted)"
JA = ("ja", "♪ 最初にキーを押すかクリックすると音が鳴ります。")
EN = ("en", "♪ Sound starts with your first key or click.")
# (the browser's languages, what the page must speak)
LANGUAGES = [("ja", JA), ("en-US", EN), ("fr,ja", JA), ("fr", EN)]
NO_INSETS = (0, 0, 0, 0)
# name, CSS width, height, device pixel ratio, touch, safe-area insets (top, right, bottom, left)
SCREENS = [
    ("a small window", 300, 200, 1, False, NO_INSETS),
    ("an upright phone", 390, 844, 3, True, (47, 0, 34, 0)),
    ("a phone on its side", 844, 390, 3, True, (0, 47, 21, 47)),
    ("a laptop", 1280, 800, 1, False, NO_INSETS),
    ("a laptop at 125 %", 1536, 864, 1.25, False, NO_INSETS),
    ("a large screen", 3000, 2000, 1, False, NO_INSETS),
]
SLACK = 0.51  # CSS pixels: boxes are rounded to device pixels
MEASURE = """const box = (e) => { const r = e.getBoundingClientRect();
  return [r.left, r.top, r.right, r.bottom]; };
const others = [...document.querySelectorAll('#notes > *, #controls, #controls > *, #controls button')]
  .filter((e) => e.getClientRects().length > 0 && getComputedStyle(e).visibility !== 'hidden')
  .map((e) => [e.id || e.tagName, box(e)]);
return { viewport: [innerWidth, innerHeight], game: box(document.getElementById('game')),
         room: box(document.getElementById('room')), others,
         notes: [...document.querySelectorAll('.note')].filter((n) => !n.hidden).length };"""


def tune(page, values="true", state="running"):
    # `values` (an expression of t, the tune) once the tune is in `state`.
    return page.wait_for("const t = window.munyura.tune; return t.source && t.context.state"
                         f" === '{state}' && {values};", f"the tune {state}")


def tune_gain(page):
    return tune(page, "[t.gain.gain.value]")[0]


def mute(page, failures):
    page.key("space")  # the tune waits for a first key
    sounding = tune_gain(page)
    page.key("m")
    title = page.driver.title
    page.key("m", ["keyDown"], repeat=True)  # an auto-repeat changes nothing
    page.key("m", ["keyUp"])
    failures.check(sounding == 1 and title == MUTED and tune_gain(page) == 0
                   and page.js("return window.munyura.keyPresses.KeyM;") == 2,
                   f"M silences the tune, titled {title!r}, its repeat changing nothing")
    page.open(GAME)
    title = page.driver.title
    page.key("space")
    failures.check(title == MUTED and tune_gain(page) == 0, f"remembered: {title!r}")
    page.key("m")
    failures.check(page.driver.title == "ムニュラ" and tune_gain(page) == 1, "M gives it back")
    page.js("localStorage.setItem('munyura.mute', 'loud');")
    page.console()
    page.open(GAME)
    lines = page.console("the remembered mute")
    failures.check(page.driver.title == "ムニュラ" and len(lines) == 1,
                   f"a remembered nonsense: the tune, and one console line {lines}")


def fullscreen_and_full_storage(page, failures):
    page.mouse(*page.point("fullscreen"))
    failures.check(page.wait_for("""return document.fullscreenElement === document.documentElement
        && document.activeElement === document.body &&
        document.getElementById('fullscreen').getAttribute('aria-pressed') === 'true';""",
                                 "full screen"), "the page full screen, the keys the game's")
    page.js("""localStorage.clear(); let n = 0;
        for (let size = 1 << 20; size >= 1; size >>= 1) {
          try { for (;;) { localStorage.setItem(`filler${n++}`, 'x'.repeat(size)); } } catch {}
        }""")
    page.console()
    page.key("m")
    page.wait_for("return !document.getElementById('storage-note').hidden", "the storage's note")
    lines = page.console("the page's storage refused the mute")
    failures.check(page.driver.title == MUTED and len(lines) == 1,
                   f"muted with the storage full, one console line {lines}")
    page.js("localStorage.clear();")


def languages(page, failures):
    # The page's lang and the tune's note in the player's language, the scene the same.
    agent, scenes = page.js("return navigator.userAgent"), []
    for preferred, (lang, note) in LANGUAGES:
        page.cdp("Emulation.setUserAgentOverride", userAgent=agent, acceptLanguage=preferred)
        page.open(GAME)
        page.wait_for("return !document.getElementById('sound-note').hidden", "the note")
        shown = page.js("""const note = document.getElementById('sound-note');
            return [document.documentElement.lang, note.lang, note.textContent,
                    document.getElementById('game').getAttribute('aria-label')];""")
        failures.check(shown == [lang, lang, note, "ムニュラ"], f"preferring {preferred}: {shown}")
        run(page, KEYS, START[:2], failures)  # play, monument 0 read
        scenes.append(page.canvas_rows())
    failures.check(all(scene == scenes[0] for scene in scenes), "the same scene in every language")


def overlaps(a, b):
    return a[0] < b[2] - SLACK and b[0] < a[2] - SLACK and a[1] < b[3] - SLACK and b[1] < a[3] - SLACK


def layout(page, failures):
    # In the safe area, its limiting side at least three quarters filled, nothing over it;
    # upright across the full width at the top, on a phone's side its area the full height.
    for name, width, height, ratio, touch, insets in SCREENS:
        page.cdp("Emulation.setDeviceMetricsOverride", width=width, height=height,
                 deviceScaleFactor=ratio, mobile=touch)
        page.cdp("Emulation.setTouchEmulationEnabled", enabled=touch, maxTouchPoints=5)
        page.cdp("Emulation.setSafeAreaInsetsOverride",
                 insets=dict(zip(("top", "right", "bottom", "left"), insets)))
        page.open(GAME)
        page.settle()
        shown = page.js(MEASURE)
        safe = (insets[3], insets[0], width - insets[1], height - insets[2])
        game, room = shown["game"], shown["room"]
        left, top, right, bottom = game
        fill = max((right - left) / (room[2] - room[0]), (bottom - top) / (room[3] - room[1]))
        over = [what for what, box in shown["others"] if overlaps(game, box)]
        failures.check(shown["viewport"] == [width, height] and shown["notes"] and not over
                       and min(left - safe[0], top - safe[1], safe[2] - right,
                               safe[3] - bottom) >= -SLACK and 0.75 - 1e-3 <= fill <= 1 + 1e-3
                       and (width > height or top <= safe[1] + 1
                            and right - left >= 0.95 * (safe[2] - safe[0]))
                       and (width <= 2 * height or room[1] <= safe[1] + SLACK
                            and room[3] >= safe[3] - SLACK),
                       f"{name}: the game at {game} in {safe}, {fill:.3f} of {room}, under {over}")


def outside_safe_circle(path):
    # The maskable icon's drawing outside the central 80 % a launcher keeps.
    width, height, rows = read_rgba_png(path.read_bytes())
    back = bytes(rows[0][0:4])
    return back[3] != 255 or [(x, y) for y in range(height) for x in range(width)
                              if math.hypot(x + 0.5 - width / 2, y + 0.5 - height / 2) > 0.4 * width
                              and bytes(rows[y][4 * x:4 * x + 4]) != back]


def version(folder):
    return re.search(r"const VERSION = '(\w+)';", (folder / "service_worker.js").read_text())[1]


def caches(page):
    return sorted(n.split()[-1] for n in page.js("return caches.keys();"))


def installed(page, failures, folder):
    page.open(GAME)  # a host that does not know .wasm, the folder deep in its tree
    failures.check(page.cdp("Page.getInstallabilityErrors")["installabilityErrors"] == [],
                   "installable")
    icons = json.loads((folder / "manifest.webmanifest").read_text())["icons"]
    for icon in icons:
        loaded = page.js("""return fetch(arguments[0]).then((r) => r.blob()).then(createImageBitmap)
            .then((b) => `${b.width}x${b.height}`, () => 'did not load');""", icon["src"])
        failures.check(loaded == icon["sizes"] and (icon["purpose"] == "any" or icon["purpose"]
                       == "maskable" and not outside_safe_circle(folder / icon["src"])),
                       f"{icon['src']}, {icon['purpose']}: {loaded}, not {icon['sizes']}")
    failures.check({icon["purpose"] for icon in icons} == {"any", "maskable"}, "the icons")
    page.wait_for("return !!navigator.serviceWorker.controller", "the worker's control")
    old = version(folder)
    # The host gone, the browser's HTTP cache cleared: only the worker's copy.
    page.stop_serving()
    page.cdp("Network.clearBrowserCache")
    page.driver.get_log("browser")  # the first visit's (its wasm sent as anything)
    page.open(GAME)
    failures.check(page.canvas_rows()[150].count((255, 0, 0)) > 50, "the title screen offline")
    wasm_type = page.js("return fetch('munyura.wasm').then((r) => r.headers.get('Content-Type'));")
    failures.check(wasm_type == "application/wasm", f"the WebAssembly's type: {wasm_type}")
    # Decoded and started before any gesture, so the key only lets it out.
    tune(page, state="suspended")
    page.key("space")
    tune(page)
    # A new build: one changed file, a new worker.
    with open(folder / "fonts" / "README.txt", "a", encoding="utf-8") as readme:
        readme.write("A later build.\n")
    subprocess.run(["/usr/bin/python3", str(ROOT / "tools" / "web" / "make-service-worker.py"),
                    str(ROOT / "web" / "page" / "service_worker.js"), str(folder)], check=True)
    new = version(folder)
    page.serve(int(page.url.rstrip("/").rsplit(":", 1)[1]))
    # The visit after it plays the old version while the new one waits.
    page.open(GAME)
    page.wait_for("return navigator.serviceWorker.getRegistration().then((r) => !!r.waiting);",
                  "the new version to be fetched")
    both = caches(page)
    # The old version's last tab gone, the new one takes over and drops the old cache.
    page.driver.get(page.url + "elsewhere.html")
    page.wait_for("return caches.keys().then((k) => k.length === 1);", "the old cache gone")
    failures.check(new != old and len(both) == 2 and caches(page) == [new],
                   f"{old}, then both {both}, then only {caches(page)}")
    page.open(GAME)
    page.wait_for("return !!navigator.serviceWorker.controller", "the worker's control")
    later = page.js("return fetch('fonts/README.txt').then((r) => r.text());")
    failures.check(later.endswith("A later build.\n"), "the new build's files")


def bad_conditions(page, failures):
    page.open("without-font-and-tune/")
    page.wait_for("return !document.getElementById('font-note').hidden", "the font's note")
    page.key("space")
    page.wait_for("return document.getElementById('sound-note').textContent.includes('silence')",
                  "the silent tune's note")
    lines = page.console()
    for words in ("did not load; the captions use another face", "the tune cannot be played"):
        failures.check(len([line for line in lines if words in line]) == 1, f"{words}: {lines}")
    page.driver.get(page.url + "without-game-script/")
    page.wait_for("return !document.getElementById('start-note').hidden", "the start's note")
    failures.check(len(page.console("the page could not start")) == 1, "could not start: said")


def host(web, site):
    # The game deep in the host's tree, a space and Japanese in its folder's name.
    folder = site / "games" / "ムニュラ 1"
    shutil.copytree(web, folder)
    for copy, left_out in (("without-font-and-tune", ("tune.opus", "*.woff2")),
                           ("without-game-script", ("munyura.js",))):
        shutil.copytree(web, site / copy, ignore=shutil.ignore_patterns(*left_out))
    (site / "favicon.ico").write_bytes((web / "pictures" / "icon.png").read_bytes())
    (site / "elsewhere.html").write_text("<!DOCTYPE html><title>Elsewhere</title>\n")
    return folder
