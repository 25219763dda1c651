#!/usr/bin/python3
"""The page in headless Chromium played through the desktop's moments, and its
surroundings (page_surroundings.py).   page_test.py BUILD_WEB_FOLDER"""
import json
import pathlib
import sys
import tempfile

import page_surroundings as surroundings
from page_session import MUNYU, PAD_STAND_IN, PageSession
from moments import (DOORWAY, KEYS, LET_GO, PAD, RESTART, RESTART_MOMENT, START, TITLE, TOUCH,
                     WALK_ON)
from scenario import Expect, Failures, Step, differences, expect, reference, run


def fractional_scale(page, failures):
    # Each game pixel begins in the desktop's colour; the pictures keep to their own colours.
    page.cdp("Emulation.setDeviceMetricsOverride", width=1000, height=700, deviceScaleFactor=1,
             mobile=False)
    width, height = page.wait_for("const c = document.getElementById('game');"
                                  " return c.width > 621 && [c.width, c.height];", "the refit")
    page.settle()
    scale = width / 621 if round(380 * width / 621) == height else height / 380
    failures.check(scale != int(scale), f"a fractional scale: {width} x {height}")
    rows, golden = page.canvas_rows((width, height)), reference("room-0-0")
    at = page.js("return [...Array(622).keys()].map((n) => window.munyura.game.outputPixel(n,"
                 " arguments[0]));", scale)
    controls = page.js("return window.munyura.game.controls();")
    pictures = [(c["left"], c["top"], c["left"] + c["width"], c["top"] + c["height"])
                for c in (controls[MUNYU], controls[49])]
    wrong = differences([[rows[at[y]][at[x]] for x in range(621)] for y in range(380)],
                        "room-0-0", pictures, [RESTART])
    failures.check(not wrong, f"the desktop's room-0-0 outside the pictures, not at {wrong[:5]}")
    for left, top, right, bottom in pictures:
        own = {golden[y][x] for y in range(top, bottom) for x in range(left, right)}
        stray = {rows[y][x] for y in range(at[top], at[bottom])
                 for x in range(at[left], at[right])} - own - {(255, 255, 255), (0, 0, 0)}
        failures.check(not stray, f"the picture at {left, top} shows its own colours, not {stray}")
    page.cdp("Emulation.clearDeviceMetricsOverride")
    page.wait_for("return document.getElementById('game').width === 621", "scale 1 again")


def by_keys(page, failures, tune):
    page.open(surroundings.GAME)
    # The keys the page kept from the browser (from scrolling, say).
    page.js("window.kept = []; addEventListener('keydown', (e) => e.defaultPrevented"
            " && kept.push((e.ctrlKey ? 'Ctrl+' : '') + e.code));")
    run(page, KEYS, TITLE, failures)
    for key in ("Tab", "F5", "F12", "Escape"):  # left to the browser, yet seen by the game
        page.key(key)
    presses = page.js("return window.munyura.keyPresses;")
    failures.check(presses.get("Tab") == 1 and presses.get("F5") == 1, f"the game saw {presses}")
    run(page, KEYS, START[:1], failures)
    fractional_scale(page, failures)
    audio = surroundings.tune(page, "[t.source.loop, t.source.loopStart, t.source.loopEnd,"
                                    " t.buffer.duration]")
    seconds = tune["loopFrames"] / tune["frameRate"]
    failures.check(audio[:2] == [True, 0] and abs(audio[2] - seconds) < 1e-6
                   and abs(audio[3] - seconds) < 1 / 48000,
                   f"after the first key the tune loops at its {seconds} s: {audio}")
    run(page, KEYS, START[1:] + DOORWAY + LET_GO, failures)
    page.key("z", modifiers=2)  # Ctrl+Z: left to the browser, yet the game reads its Z
    expect(page, failures, "Ctrl+Z read by the game", band="何もないん")
    kept = page.js("return window.kept")
    failures.check(set(kept) == {"Space", "KeyZ", "ArrowUp", "ArrowLeft"},
                   f"the game's keys kept from the browser, Ctrl+Z not: {kept}")
    run(page, KEYS, RESTART_MOMENT, failures)


def by_touch(page, failures):
    page.cdp("Emulation.setDeviceMetricsOverride", width=390, height=844, deviceScaleFactor=2,
             mobile=True)
    page.cdp("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
    page.open(surroundings.GAME)
    bottom = page.js("return document.getElementById('game').getBoundingClientRect().bottom")
    for element, cm in (("dpad", 2.5), ("read-button", 1), ("letters-button", 1)):
        name, top, size = page.js("""const e = document.getElementById(arguments[0]);
            const r = e.getBoundingClientRect();
            return [e.ariaLabel, r.top, Math.min(r.width, r.height)];""", element)
        failures.check(name and size >= cm * 96 / 2.54 - 0.5 and top >= bottom,
                       f"{element}, named {name!r}, {size:.0f} CSS pixels, below the game")
    run(page, TOUCH, START[:1] + DOORWAY + WALK_ON, failures)
    # The d-pad held down and the read button: each finger lets go of its own.
    dpad_down, read = page.point("dpad", 0, 0.4), page.point("read-button")
    page.touch("touchStart", [(1, *dpad_down)])
    page.touch("touchStart", [(1, *dpad_down), (2, *read)])
    both = page.state()["held"]
    page.touch("touchEnd", [(1, *dpad_down)])
    one = page.state()["held"]
    page.touch("touchEnd", [])
    failures.check(both == [40, 90] and one == [90],
                   f"two fingers hold the d-pad and read, one lifted alone: {both}, {one}")
    # The picker's 26 letters on two rows below the game, each held while touched.
    page.down(("tap", "letters-button"))
    letters, rows, shown = zip(*page.js("""return [...document.getElementById('picker').children]
        .map((b) => [b.textContent, Math.round(b.getBoundingClientRect().top), b.offsetWidth]);"""))
    failures.check("".join(letters) == "ABCDEFGHIJKLMNOPQRSTUVWXYZ" and all(shown)
                   and len(set(rows)) == 2 and min(rows) >= bottom - 0.5,
                   f"the picker's letters {letters} on two rows {set(rows)} below the game")
    q = page.js("""const r = document.getElementById('picker').children[16]
        .getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2];""")
    page.touch("touchStart", [(1, *q)])
    under = page.state()["held"]
    page.touch("touchEnd", [])
    failures.check(under == [81] and not page.state()["held"],
                   "Q held under the finger until it lifts")
    page.down(("tap", "letters-button"))
    failures.check(page.js("return document.getElementById('picker').hidden"), "picker closed")
    # A key hides the controls, the next touch (on ﾊﾂﾞﾒｶﾗ, a click) shows them.
    page.key("Shift")
    hidden = page.js("return document.getElementById('controls').hidden")
    run(page, TOUCH, RESTART_MOMENT, failures)
    failures.check(hidden and not page.js("return document.getElementById('controls').hidden"),
                   "the controls hidden by a key, back at a touch")


# A second pad: Y opens the picker, the d-pad moves it, A types (held), B closes, Back restarts.
PICKER_BY_PAD = [
    Step("press", "picker", expect=Expect(picker=0)),
    Step("press", "next", expect=Expect(picker=1)),
    Step("down", "read", says="A types B", expect=Expect(held=66)),
    Step("up", "read", expect=Expect(held=False)),
    Step("press", "close", expect=Expect(picker=False)),
]


def by_pad(page, failures):
    page.cdp("Emulation.clearDeviceMetricsOverride")
    page.cdp("Emulation.setTouchEmulationEnabled", enabled=False)
    page.open(surroundings.GAME)
    page.js(PAD_STAND_IN + "window.plugPad(0);")
    run(page, dict(PAD, up=("stick", -1)), START[:2] + DOORWAY, failures)
    expect(page, failures, "the stick let go, the d-pad's left held", held=37)
    # Pulled out while its d-pad is held: the walk ends.
    page.js("window.pads[0] = undefined; window.plugPad(1);")
    expect(page, failures, "the pad pulled out lets go", held=False, still=True)
    page.pad = 1
    way = dict(PAD, picker=("pad", "y"), close=("pad", "b"), next=("pad", "dpright"))
    run(page, way, PICKER_BY_PAD + RESTART_MOMENT, failures)


def main():
    web = pathlib.Path(sys.argv[1])
    tune = json.loads((web / "tune.json").read_text())
    failures = Failures()
    with tempfile.TemporaryDirectory() as site, tempfile.TemporaryDirectory() as profile:
        folder = surroundings.host(web, pathlib.Path(site))
        with PageSession(site, profile, server_args=["--unknown-wasm"]) as page:
            surroundings.installed(page, failures, folder)  # first: a visit with no gesture yet
            by_keys(page, failures, tune)
            by_touch(page, failures)
            by_pad(page, failures)
            surroundings.mute(page, failures)
            surroundings.fullscreen_and_full_storage(page, failures)
            surroundings.languages(page, failures)
            surroundings.layout(page, failures)
            page.console()
            failures.check(not page.errors, f"no console error: {page.errors}")
            surroundings.bad_conditions(page, failures)
    return failures.outcome()


if __name__ == "__main__":
    sys.exit(main())
