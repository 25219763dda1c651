#!/usr/bin/python3
"""The page in a real headless Chromium: it loads without a console error,
shows the first title screen, and plays as the desktop does, with real key
and mouse events from the DevTools protocol: Space starts play with the chick
over monument 0, Z shows and hides the inscription, Up then Left held with
auto-repeats walks through the doorway into room (-1, 0), a click on ﾊﾂﾞﾒｶﾗ
brings the title screen back; after the first key the tune plays, looping at
its exact length. Each moment's pixels outside the text equal the desktop's
reference image; in a wider viewport, at a fractional scale, the lines keep
their ink and the pictures their hard edges.

    page_test.py BUILD_WEB_FOLDER GOLDEN_FOLDER
"""
import base64
import json
import math
import pathlib
import sys
import tempfile
import time

from page_session import PageSession, read_png

WIDTH, HEIGHT = 621, 380
RED = (255, 0, 0)
GREEN = (0, 255, 0)
WHITE = (255, 255, 255)


def wait_for(session, script, what, timeout=30):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = session.driver.execute_script(script)
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {what}")


def settle(session):
    """Waits until the frame the last event asked for has been drawn."""
    session.driver.execute_async_script(
        "requestAnimationFrame(() => requestAnimationFrame(arguments[0]));")


def canvas_pixels(session, size=(WIDTH, HEIGHT)):
    data = session.driver.execute_script(
        """const c = document.getElementById('game');
        const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
        let s = ''; for (let i = 0; i < d.length; i += 0x8000)
          s += String.fromCharCode.apply(null, d.subarray(i, i + 0x8000));
        return [c.width, c.height, btoa(s)];""")
    width, height, raw = data
    assert (width, height) == size, f"canvas is {width} x {height}"
    raw = base64.b64decode(raw)
    return [tuple(raw[i:i + 3]) for i in range(0, len(raw), 4)]


def control(session, position):
    return session.driver.execute_script(
        "return window.munyura.game.controls()[arguments[0]];", position)


def ink_box(pixels, box, back):
    """The bounding box of the pixels in `box` that are not `back`."""
    left, top, right, bottom = box
    found = None
    for y in range(max(0, top), min(HEIGHT, bottom)):
        for x in range(max(0, left), min(WIDTH, right)):
            if pixels[y * WIDTH + x] != back:
                if found is None:
                    found = [x, y, x + 1, y + 1]
                found = [min(found[0], x), min(found[1], y), max(found[2], x + 1),
                         max(found[3], y + 1)]
    return found


def compare(name, page, golden, text_boxes, other_masks=()):
    """Every pixel outside the text (and the masks) must be the desktop's."""
    masks = list(other_masks)
    for box, back in text_boxes:
        for image in (page, golden):
            ink = ink_box(image, box, back)
            if ink:
                masks.append(ink)
    differing = []
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if any(m[0] <= x < m[2] and m[1] <= y < m[3] for m in masks):
                continue
            if page[y * WIDTH + x] != golden[y * WIDTH + x]:
                differing.append((x, y))
    assert not differing, (
        f"{name}: {len(differing)} pixels differ from the desktop outside the text, "
        f"first {differing[:5]}: page {[page[y * WIDTH + x] for x, y in differing[:5]]}, "
        f"desktop {[golden[y * WIDTH + x] for x, y in differing[:5]]}")


def check_fractional_scale(session, golden):
    """In a 1000 x 700 viewport scale 1 would fill too little of the area: the
    game fills its limiting side at a fractional scale, inside the viewport.
    Every game pixel of each visible line has ink, and the chick and the
    monument show only the colours they have at scale 1."""
    session.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": 1000, "height": 700, "deviceScaleFactor": 1, "mobile": False})
    width, height = wait_for(
        session, "const c = document.getElementById('game');"
        f" return c.width > {WIDTH} && [c.width, c.height];", "the canvas refitted")
    settle(session)
    box = session.driver.execute_script(
        "const b = document.getElementById('game').getBoundingClientRect();"
        " return [b.left, b.top, b.right, b.bottom];")
    assert box[0] >= 0 and box[1] >= 0 and box[2] <= 1000 and box[3] <= 700, box
    # The limiting side is filled exactly.
    scale = width / WIDTH if round(HEIGHT * width / WIDTH) == height else height / HEIGHT
    assert scale != int(scale), f"{width} x {height} is a whole scale"
    page = canvas_pixels(session, (width, height))

    def colours(left, top, right, bottom):
        return {page[y * width + x]
                for y in range(max(0, int(top * scale)), min(height, math.ceil(bottom * scale)))
                for x in range(max(0, int(left * scale)), min(width, math.ceil(right * scale)))}

    controls = session.driver.execute_script("return window.munyura.game.controls();")
    lines = [c for c in controls if c["kind"] == 4 and c["visible"]]
    assert len(lines) >= 8, f"{len(lines)} lines"
    for line in lines:
        steps = int(max(abs(line["x2"] - line["x1"]), abs(line["y2"] - line["y1"]), 1))
        for step in range(steps + 1):
            x = round(line["x1"] + (line["x2"] - line["x1"]) * step / steps)
            y = round(line["y1"] + (line["y2"] - line["y1"]) * step / steps)
            if 0 <= x < WIDTH and 0 <= y < HEIGHT:
                assert (0, 0, 0) in colours(x, y, x + 1, y + 1), f"no ink at {x}, {y}: {line}"
    for picture in (controls[37], controls[49]):  # the chick, the monument
        rect = (picture["left"], picture["top"], picture["left"] + picture["width"],
                picture["top"] + picture["height"])
        own = {golden[y * WIDTH + x] for y in range(int(rect[1]), int(rect[3]))
               for x in range(int(rect[0]), int(rect[2]))} | {WHITE, (0, 0, 0)}
        blended = colours(*rect) - own
        assert not blended, f"picture at {rect} shows colours of its own making: {blended}"
    session.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
    wait_for(session, f"return document.getElementById('game').width === {WIDTH}",
             "the canvas back at scale 1")


def main():
    web, golden_dir = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    golden = {name: read_png(golden_dir / f"{name}.png")
              for name in ("title", "room-0-0", "inscription", "closed-doorways")}
    tune = json.loads((web / "tune.json").read_text())
    with tempfile.TemporaryDirectory() as profile, PageSession(web, profile) as session:
        wait_for(session, "return window.munyura && window.munyura.firstFrameMs !== null",
                 "the first frame")
        # Whether the page kept each key from the browser (scrolling, say).
        session.driver.execute_script(
            "window.keptKeys = []; window.addEventListener('keydown',"
            " e => window.keptKeys.push([e.code, e.ctrlKey, e.defaultPrevented]));")
        names = session.driver.execute_script(
            "return window.munyura.game.controls().map((c, n) => n);")
        assert len(names) == 50, f"{len(names)} elements"
        assert session.driver.title == "ムニュラ", session.driver.title
        # Positions in the scene table (front-most first), as the element table has them.
        command1, label2, label1, munyu, sekihi = 5, 6, 36, 37, 49

        # The first title screen: the help on the green band, the red button
        # (it slides with every tick, so its row is left out here), no chick.
        page = canvas_pixels(session)
        compare("title", page, golden["title"],
                [((0, 248, 617, 377), GREEN)], [(0, 128, WIDTH, 177)])
        assert page[150 * WIDTH:151 * WIDTH].count(RED) > 50, "no red start button"
        assert not session.console_errors(), session.console_errors()

        # Half a second with the page's thread busy (as a hidden tab or a
        # slow machine stalls it): one tick after it, not the missed eight.
        stall_end = session.driver.execute_script(
            "const start = performance.now(); while (performance.now() - start < 500) {}"
            " return performance.now();")
        time.sleep(0.5)
        after = session.driver.execute_script(
            "return window.munyura.tickTimes.filter(t => t >= arguments[0]);", stall_end)
        # The late tick, then the grid's own (the next point may be near):
        # never the burst of the eight missed ones.
        assert after and len([t for t in after if t < stall_end + 120]) <= 3, after[:10]

        # Space on the focused button starts play in room (0, 0).
        session.key("Space", " ", 32)
        wait_for(session, f"return !window.munyura.game.controls()[{command1}].visible",
                 "the play screen")
        chick = control(session, munyu)
        assert (chick["left"], chick["top"]) == (280, 192), chick
        monument0 = session.driver.execute_script("return window.munyura.game.pictureHandle(4);")
        assert control(session, sekihi)["picture"] == monument0
        settle(session)
        compare("room (0, 0)", canvas_pixels(session), golden["room-0-0"],
                [((568, 0, 621, 15), WHITE)])
        check_fractional_scale(session, golden["room-0-0"])

        # The tune: running after that first key, looping at its exact length.
        audio = wait_for(session, """const t = window.munyura.tune;
            return t.source && t.context.state === 'running' &&
              [t.source.loop, t.source.loopStart, t.source.loopEnd, t.buffer.duration];""",
                         "the tune to play")
        loop, loop_start, loop_end, duration = audio
        seconds = tune["loopFrames"] / tune["frameRate"]
        assert loop and loop_start == 0 and abs(loop_end - seconds) < 1e-6, audio
        assert abs(duration - seconds) < 1 / 48000, f"decoded {duration} s of a {seconds} s tune"

        # Z reads monument 0, and hides it again.
        session.key("KeyZ", "z", 90)
        wait_for(session, f"return window.munyura.game.controls()[{label1}].visible",
                 "the inscription")
        settle(session)
        compare("inscription", canvas_pixels(session), golden["inscription"],
                [((0, 248, 617, 377), GREEN), ((568, 0, 621, 15), WHITE)])
        session.key("KeyZ", "z", 90)
        wait_for(session, f"return !window.munyura.game.controls()[{label1}].visible",
                 "the inscription hidden")

        # Up into the height of the left doorway, then Left held, with the
        # keyboard's auto-repeats, out through it into (-1, 0).
        session.key_down("ArrowUp", "ArrowUp", 38)
        wait_for(session, f"return window.munyura.game.controls()[{munyu}].top < 190",
                 "the chick walking up")
        session.key_up("ArrowUp", "ArrowUp", 38)
        top = control(session, munyu)["top"]
        assert 128 < top < 183, f"the chick stopped at {top}, outside the doorway's height"
        session.key_down("ArrowLeft", "ArrowLeft", 37)
        deadline = time.monotonic() + 30
        while session.driver.execute_script("return window.munyura.game.roomX()") != -1:
            assert time.monotonic() < deadline, "the chick never left room (0, 0)"
            session.key_down("ArrowLeft", "ArrowLeft", 37, repeat=True)
            time.sleep(0.03)
        session.key_up("ArrowLeft", "ArrowLeft", 37)
        assert control(session, sekihi)["picture"] == session.driver.execute_script(
            "return window.munyura.game.pictureHandle(4 + 6);"), "room (-1, 0) shows monument 6"
        chick = control(session, munyu)
        settle(session)
        compare("room (-1, 0)", canvas_pixels(session), golden["closed-doorways"],
                [((568, 0, 621, 15), WHITE)],
                [(chick["left"], chick["top"], chick["left"] + 50, chick["top"] + 50),
                 (510, 182 - 10, 560, 182 + 60)])

        # Ctrl+Z is left to the browser, yet the game still reads its Z (away
        # from the monument: nothing here); the game's keys never scroll the page.
        for kind in ("keyDown", "keyUp"):
            session.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
                "type": kind, "code": "KeyZ", "key": "z", "windowsVirtualKeyCode": 90,
                "modifiers": 2})
        wait_for(session, f"return window.munyura.game.controls()[{label1}].visible",
                 "Ctrl+Z read by the game")
        kept = {(code, ctrl): prevented for code, ctrl, prevented in
                session.driver.execute_script("return window.keptKeys")}
        assert kept == {("Space", False): True, ("KeyZ", False): True, ("ArrowUp", False): True,
                        ("ArrowLeft", False): True, ("KeyZ", True): False}, kept

        # A click on ﾊﾂﾞﾒｶﾗ: the title screen again.
        session.click(590, 7)
        wait_for(session, f"return window.munyura.game.controls()[{command1}].visible",
                 "the title screen after the restart")
        assert not control(session, label2)["visible"]
        assert not session.console_errors(), session.console_errors()
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
