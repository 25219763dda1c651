#!/usr/bin/python3
"""The page's layout in headless Chromium at the screens players have, each
emulated with its size, device pixel ratio and touch, the page loaded
afresh in it: the game lies inside the viewport, as large as the scaling rule
makes it in the area the layout gives it (the limiting side at least three
quarters filled), and no note or control covers it. Upright phones show it
across the full width at the top; on their side it gets the full height; on
both, inside the safe area the phone's notch and home bar leave.

    page_layout_test.py BUILD_WEB_FOLDER
"""
import pathlib
import sys
import tempfile

from page_session import PageSession, first_frame, settle

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
GAME_WIDTH, GAME_HEIGHT = 621, 380
SLACK = 0.51  # CSS pixels: boxes are rounded to device pixels

MEASURE = """
const box = (element) => { const r = element.getBoundingClientRect();
  return [r.left, r.top, r.right, r.bottom]; };
const others = [...document.querySelectorAll('#notes > *, #controls, #controls > *, #controls button')]
  .filter((e) => e.getClientRects().length > 0 && getComputedStyle(e).visibility !== 'hidden')
  .map((e) => [e.id || e.tagName, box(e)]);
return { viewport: [innerWidth, innerHeight], canvas: box(document.getElementById('game')),
         room: box(document.getElementById('room')), others,
         notes: [...document.querySelectorAll('.note')].filter((n) => !n.hidden).length };
"""


def overlaps(a, b):
    return a[0] < b[2] - SLACK and b[0] < a[2] - SLACK and a[1] < b[3] - SLACK and b[1] < a[3] - SLACK


def check(name, width, height, insets, layout):
    assert layout["viewport"] == [width, height], f"{name}: viewport {layout['viewport']}"
    safe = (insets[3], insets[0], width - insets[1], height - insets[2])
    left, top, right, bottom = canvas = layout["canvas"]
    assert left >= safe[0] - SLACK and top >= safe[1] - SLACK and right <= safe[2] + SLACK \
        and bottom <= safe[3] + SLACK, f"{name}: the game at {canvas} is not inside {safe}"
    assert layout["notes"] > 0, f"{name}: no note shown, nothing to keep off the game"
    for what, other in layout["others"]:
        assert not overlaps(canvas, other), f"{name}: {what} at {other} covers the game at {canvas}"
    room = layout["room"]
    across, down = (right - left) / (room[2] - room[0]), (bottom - top) / (room[3] - room[1])
    assert max(across, down) >= 0.75 - 1e-3 and max(across, down) <= 1 + 1e-3, \
        f"{name}: the game fills {across:.3f} x {down:.3f} of its area {room}"
    if height > width:
        assert top <= safe[1] + 1 and right - left >= 0.95 * (safe[2] - safe[0]), \
            f"{name}: the game at {canvas} does not span the width at the top"
    if width > 2 * height:
        assert room[1] <= safe[1] + SLACK and room[3] >= safe[3] - SLACK, \
            f"{name}: the game's area {room} does not take the full height"


def main():
    web = pathlib.Path(sys.argv[1])
    failures = []
    with tempfile.TemporaryDirectory() as profile, PageSession(web, profile) as session:
        for name, width, height, ratio, touch, insets in SCREENS:
            session.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                "width": width, "height": height, "deviceScaleFactor": ratio, "mobile": touch})
            session.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {
                "enabled": touch, "maxTouchPoints": 5 if touch else 1})
            session.driver.execute_cdp_cmd("Emulation.setSafeAreaInsetsOverride", {
                "insets": dict(zip(("top", "right", "bottom", "left"), insets))})
            session.driver.get(session.url)
            first_frame(session)
            settle(session)
            try:
                check(name, width, height, insets, session.driver.execute_script(MEASURE))
            except AssertionError as failure:
                failures.append(str(failure))
        assert not session.console_errors(), session.console_errors()
    for failure in failures:
        print(failure)
    print(f"{len(SCREENS) - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
