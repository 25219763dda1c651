#!/usr/bin/python3
"""The page in a real headless Chromium, played through the moments the
desktop plays (tests/scenarios/moments.py) with real key, mouse and touch
events from the DevTools protocol and a stand-in for a pad, each moment
judged by window.munyura.game and by the canvas against the desktop's
reference images. Besides: no console error, one late tick after a stall,
the tune looping at its exact length, Ctrl+Z left to the browser, a
fractional scale's lines and pictures; by touch the controls' sizes, two
fingers and the picker; by pad the picker and a pad pulled out.

    page_test.py BUILD_WEB_FOLDER
"""
import json
import math
import pathlib
import sys
import tempfile
import time

from page_session import (MUNYU, PAD_STAND_IN, PageDriver, PageSession, canvas_rows, first_frame,
                          settle, wait_for)
from moments import DOORWAY, KEYS, LET_GO, PAD, RESTART_MOMENT, START, TITLE, TOUCH, WALK_ON
from scenario import Expect, Failures, Step, expect, reference, run

CSS_PIXELS_PER_CM = 96 / 2.54


def stall(driver, failures):
    """Half a second with the page's thread busy (as a hidden tab or a slow
    machine stalls it): the late tick, then the grid's own, never the burst
    of the eight missed ones."""
    stall_end = driver.js("const start = performance.now(); while (performance.now() - start < 500)"
                          " {} return performance.now();")
    time.sleep(0.5)
    after = driver.js("return window.munyura.tickTimes.filter(t => t >= arguments[0]);", stall_end)
    failures.check(after and len([t for t in after if t < stall_end + 120]) <= 3,
                   f"one late tick after a stall, not a burst: {after[:10]}")


def fractional_scale(session, failures):
    """In a 1000 x 700 viewport the game fills its limiting side at a
    fractional scale, inside the viewport; every game pixel of each visible
    line has ink, and the chick and the monument show only their own colours."""
    session.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": 1000, "height": 700, "deviceScaleFactor": 1, "mobile": False})
    width, height = wait_for(session, "const c = document.getElementById('game');"
                             " return c.width > 621 && [c.width, c.height];", "the canvas refitted")
    settle(session)
    box = session.driver.execute_script(
        "const b = document.getElementById('game').getBoundingClientRect();"
        " return [b.left, b.top, b.right, b.bottom];")
    scale = width / 621 if round(380 * width / 621) == height else height / 380
    failures.check(box[0] >= 0 and box[1] >= 0 and box[2] <= 1000 and box[3] <= 700
                   and scale != int(scale), f"a fractional scale {width} x {height} at {box}")
    page, golden = canvas_rows(session, (width, height)), reference("room-0-0")

    def colours(left, top, right, bottom):
        return {page[y][x]
                for y in range(max(0, int(top * scale)), min(height, math.ceil(bottom * scale)))
                for x in range(max(0, int(left * scale)), min(width, math.ceil(right * scale)))}

    controls = session.driver.execute_script("return window.munyura.game.controls();")
    lines = [c for c in controls if c["kind"] == 4 and c["visible"]]
    inkless = []
    for line in lines:
        steps = int(max(abs(line["x2"] - line["x1"]), abs(line["y2"] - line["y1"]), 1))
        for step in range(steps + 1):
            x = round(line["x1"] + (line["x2"] - line["x1"]) * step / steps)
            y = round(line["y1"] + (line["y2"] - line["y1"]) * step / steps)
            if 0 <= x < 621 and 0 <= y < 380 and (0, 0, 0) not in colours(x, y, x + 1, y + 1):
                inkless.append((x, y))
    failures.check(len(lines) >= 8 and not inkless, f"{len(lines)} lines, inkless at {inkless[:5]}")
    for picture in (controls[MUNYU], controls[49]):
        rect = (picture["left"], picture["top"], picture["left"] + picture["width"],
                picture["top"] + picture["height"])
        own = {golden[y][x] for y in range(int(rect[1]), int(rect[3]))
               for x in range(int(rect[0]), int(rect[2]))} | {(255, 255, 255), (0, 0, 0)}
        failures.check(not colours(*rect) - own, f"the picture at {rect} shows its own colours")
    session.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
    wait_for(session, "return document.getElementById('game').width === 621", "scale 1 again")


def by_keys(session, failures, tune):
    driver = PageDriver(session)
    first_frame(session)
    # Whether the page kept each key from the browser (scrolling, say).
    driver.js("window.keptKeys = []; window.addEventListener('keydown',"
              " e => window.keptKeys.push([e.code, e.ctrlKey, e.defaultPrevented]));")
    failures.check(session.driver.title == "ムニュラ", f"titled {session.driver.title}")
    run(driver, KEYS, TITLE, failures)
    # The browser's own keys are left to it, yet reach the game.
    for key, code in (("Tab", 9), ("F5", 116), ("F12", 123), ("Escape", 27)):
        session.key(key, key, code)
    presses = driver.js("return window.munyura.keyPresses;")
    failures.check(presses.get("Tab") == 1 and presses.get("F5") == 1, f"the game saw {presses}")
    stall(driver, failures)
    run(driver, KEYS, START[:1], failures)
    fractional_scale(session, failures)
    audio = wait_for(session, """const t = window.munyura.tune;
        return t.source && t.context.state === 'running' &&
          [t.source.loop, t.source.loopStart, t.source.loopEnd, t.buffer.duration];""",
                     "the tune to play")
    seconds = tune["loopFrames"] / tune["frameRate"]
    failures.check(audio[0] and audio[1] == 0 and abs(audio[2] - seconds) < 1e-6
                   and abs(audio[3] - seconds) < 1 / 48000,
                   f"after the first key the tune loops at its {seconds} s: {audio}")
    run(driver, KEYS, START[1:] + DOORWAY + LET_GO, failures)
    # Ctrl+Z is left to the browser, yet the game still reads its Z (away
    # from the monument: nothing here); the game's keys never scroll the page.
    for kind in ("keyDown", "keyUp"):
        session.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
            "type": kind, "code": "KeyZ", "key": "z", "windowsVirtualKeyCode": 90, "modifiers": 2})
    expect(driver, failures, "Ctrl+Z read by the game", band="何もないん")
    kept = {(code, ctrl): kept for code, ctrl, kept in driver.js("return window.keptKeys")}
    failures.check(kept == {("Space", False): True, ("KeyZ", False): True, ("ArrowUp", False): True,
                            ("ArrowLeft", False): True, ("KeyZ", True): False,
                            ("Tab", False): False, ("F5", False): False, ("F12", False): False,
                            ("Escape", False): False},
                   f"the game's keys kept from the browser, Ctrl+Z not: {kept}")
    run(driver, KEYS, RESTART_MOMENT, failures)


def by_touch(session, failures):
    """On an emulated upright phone: the controls named, sized in centimetres,
    off the game; then the moments by touch, a finger sliding from up to left."""
    session.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": 390, "height": 844, "deviceScaleFactor": 2, "mobile": True})
    session.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {
        "enabled": True, "maxTouchPoints": 5})
    session.driver.get(session.url)
    first_frame(session)
    driver = PageDriver(session)
    boxes = driver.js("""return ['game', 'dpad', 'read-button', 'letters-button'].map((id) => {
        const e = document.getElementById(id), r = e.getBoundingClientRect();
        return [id, e.getAttribute('aria-label'), r.top, Math.min(r.width, r.height), r.bottom];
        });""")
    bottom = boxes[0][4]
    for (element, name, top, size, _), least in zip(boxes[1:], (2.5, 1, 1)):
        failures.check(name and size >= least * CSS_PIXELS_PER_CM - 0.5 and top >= bottom,
                       f"{element}, named {name!r}, {size:.0f} CSS pixels, below the game")
    run(driver, TOUCH, START[:1] + DOORWAY + WALK_ON, failures)
    # Two fingers at once: the d-pad held down and the read button; each
    # lets go of its own control only.
    dpad_down, read = driver.point("dpad", 0, 0.4), driver.point("read-button")
    driver.touch("touchStart", [(1, *dpad_down)])
    driver.touch("touchStart", [(1, *dpad_down), (2, *read)])
    both = driver.js("return [40, 90].map(window.munyura.game.keyHeld, window.munyura.game)")
    driver.touch("touchEnd", [(1, *dpad_down)])
    one = driver.js("return [40, 90].map(window.munyura.game.keyHeld, window.munyura.game)")
    driver.touch("touchEnd", [])
    failures.check(both == [True, True] and one == [False, True],
                   f"two fingers hold the d-pad and read, one lifted alone: {both}, {one}")
    # The picker: all 26 letters on two rows below the game; a letter is
    # held while touched.
    driver.down(("tap", "letters-button"))
    letters = driver.js("""return [...document.getElementById('picker').children].map((b) => {
        const r = b.getBoundingClientRect(); return [b.textContent, Math.round(r.top), r.width > 0];
        });""")
    failures.check("".join(t for t, _, _ in letters) == "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                   and all(s for _, _, s in letters) and len({t for _, t, _ in letters}) == 2
                   and min(t for _, t, _ in letters) >= bottom - 0.5,
                   f"the picker's 26 letters on two rows below the game: {letters[:2]}")
    q = driver.js("""const r = document.getElementById('picker').children[16]
        .getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2];""")
    driver.touch("touchStart", [(1, *q)])
    under = driver.js("return window.munyura.game.keyHeld(81)")
    driver.touch("touchEnd", [])
    failures.check(under and not driver.js("return window.munyura.game.keyHeld(81)"),
                   "Q held under the finger until it lifts")
    driver.down(("tap", "letters-button"))
    failures.check(driver.js("return document.getElementById('picker').hidden"), "picker closed")
    # A key hides the controls, the next touch (on ﾊﾂﾞﾒｶﾗ, a click) shows them.
    session.key("ShiftLeft", "Shift", 16)
    hidden = driver.js("return document.getElementById('controls').hidden")
    run(driver, TOUCH, RESTART_MOMENT, failures)
    failures.check(hidden and not driver.js("return document.getElementById('controls').hidden"),
                   "the controls hidden by a key, back at a touch")


# A second pad: Y opens the picker, the d-pad moves its highlight, A types
# the letter (held while A is), B closes it, Back restarts.
PICKER_BY_PAD = [
    Step("press", "picker", expect=Expect(picker=0)),
    Step("press", "next", expect=Expect(picker=1)),
    Step("down", "read", says="A types B", expect=Expect(held=66)),
    Step("up", "read", expect=Expect(held=False)),
    Step("press", "close", expect=Expect(picker=False)),
]


def by_pad(session, failures):
    session.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
    session.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})
    session.driver.get(session.url)
    first_frame(session)
    driver = PageDriver(session)
    driver.js(PAD_STAND_IN + "window.plugPad(0);")
    stick = dict(PAD, up=("stick", -1))
    run(driver, stick, START[:2] + DOORWAY, failures)
    expect(driver, failures, "the stick let go, the d-pad's left held", held=37)
    # Pulled out while its d-pad is held: the walk ends.
    driver.js("window.pads[0] = undefined; window.plugPad(1);")
    expect(driver, failures, "the pad pulled out lets go", held=False, still=True)
    driver.pad = 1
    way = dict(PAD, picker=("pad", "y"), close=("pad", "b"), next=("pad", "dpright"))
    run(driver, way, PICKER_BY_PAD + RESTART_MOMENT, failures)


def main():
    web = pathlib.Path(sys.argv[1])
    tune = json.loads((web / "tune.json").read_text())
    failures = Failures()
    with tempfile.TemporaryDirectory() as profile, PageSession(web, profile) as session:
        by_keys(session, failures, tune)
        by_touch(session, failures)
        by_pad(session, failures)
        errors = session.console_errors()
        failures.check(not errors, f"no console error: {errors}")
    return failures.outcome()


if __name__ == "__main__":
    sys.exit(main())
