#!/usr/bin/python3
"""What the page adds around the game, in headless Chromium: the mute and
its memory, full screen, a full storage, the page's texts in the player's
language, its layout at the screens players have, and a page without its
font and tune or without the game's script (see the README).

    page_surroundings_test.py BUILD_WEB_FOLDER
"""
import pathlib
import shutil
import sys
import tempfile

from page_session import PageSession
from moments import KEYS, START
from scenario import Failures, run

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


def tune_gain(page):
    return page.wait_for("""const t = window.munyura.tune;
        return t.source && t.context.state === 'running' && [t.gain.gain.value];""",
                         "the tune to play")[0]


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
    page.open("page/")
    title = page.driver.title
    page.key("space")
    failures.check(title == MUTED and tune_gain(page) == 0, f"remembered: {title!r}")
    page.key("m")
    failures.check(page.driver.title == "ムニュラ" and tune_gain(page) == 1, "M gives it back")
    page.js("localStorage.setItem('munyura.mute', 'loud');")
    page.console()
    page.open("page/")
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
    """The page's lang and the tune's note in the player's language, the
    game named ムニュラ in all, the scene with an inscription the same pixels."""
    agent, scenes = page.js("return navigator.userAgent"), []
    for preferred, (lang, note) in LANGUAGES:
        page.cdp("Emulation.setUserAgentOverride", userAgent=agent, acceptLanguage=preferred)
        page.open("page/")
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
    """The game inside the safe area, as large as the scaling rule makes it in
    its area (the limiting side at least three quarters filled), no note or
    control over it; upright across the full width at the top, on a phone's
    side its area the full height."""
    for name, width, height, ratio, touch, insets in SCREENS:
        page.cdp("Emulation.setDeviceMetricsOverride", width=width, height=height,
                 deviceScaleFactor=ratio, mobile=touch)
        page.cdp("Emulation.setTouchEmulationEnabled", enabled=touch, maxTouchPoints=5)
        page.cdp("Emulation.setSafeAreaInsetsOverride",
                 insets=dict(zip(("top", "right", "bottom", "left"), insets)))
        page.open("page/")
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


def main():
    web = pathlib.Path(sys.argv[1])
    failures = Failures()
    with tempfile.TemporaryDirectory() as pages, tempfile.TemporaryDirectory() as profile:
        pages = pathlib.Path(pages)
        for folder in ("page", "without-font-and-tune", "without-game-script"):
            shutil.copytree(web, pages / folder)
        (pages / "without-font-and-tune" / "tune.opus").unlink()
        for font in (pages / "without-font-and-tune" / "fonts").glob("*.woff2"):
            font.unlink()
        (pages / "without-game-script" / "munyura.js").unlink()
        (pages / "favicon.ico").write_bytes((web / "pictures" / "icon.png").read_bytes())
        with PageSession(pages, profile) as page:
            page.open("page/")
            mute(page, failures)
            fullscreen_and_full_storage(page, failures)
            languages(page, failures)
            layout(page, failures)
            failures.check(not page.console_errors(), f"no console error: {page.errors}")
            bad_conditions(page, failures)
    return failures.outcome()


if __name__ == "__main__":
    sys.exit(main())
