#!/usr/bin/python3
"""Takes the README's pictures of the page, from build/web/ in headless
Chromium: room (0, 0) with the first monument read, in a desktop browser and
on a phone held upright and on its side, where the touch controls show.

    tools/web/make-web-screenshot.py      -> docs/web-page.png, docs/web-phone-*.png
                                             (after tools/build-web.sh)
"""
import pathlib
import sys
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests" / "web"))
from page_session import PageSession  # noqa: E402

# (picture, CSS width and height, device pixels per CSS pixel, a phone's)
SCREENS = [("web-page", 900, 560, 1, False), ("web-phone-upright", 390, 844, 3, True),
           ("web-phone-on-its-side", 844, 390, 3, True)]


def first_frame(session):
    while not session.driver.execute_script(
            "return window.munyura && window.munyura.firstFrameMs"):
        time.sleep(0.1)


def tap(session, x, y):
    for kind, points in (("touchStart", [{"x": x, "y": y, "id": 1}]), ("touchEnd", [])):
        session.driver.execute_cdp_cmd("Input.dispatchTouchEvent",
                                       {"type": kind, "touchPoints": points})


def read_the_first_monument(session, phone):
    if phone:
        # A tap on STRAT, then the read button.
        x, y = session.driver.execute_script(
            "const c = document.getElementById('game').getBoundingClientRect();"
            "const s = window.munyura.game.controls()[5];"
            "return [c.left + (s.left + s.width / 2) * c.width / 621,"
            "        c.top + (s.top + s.height / 2) * c.height / 380];")
        tap(session, x, y)
        time.sleep(0.3)
        x, y = session.driver.execute_script(
            "const b = document.getElementById('read-button').getBoundingClientRect();"
            "return [b.left + b.width / 2, b.top + b.height / 2];")
        tap(session, x, y)
    else:
        session.key("Space", " ", 32)
        time.sleep(0.3)
        session.key("KeyZ", "z", 90)
    time.sleep(1.5)


for name, width, height, ratio, phone in SCREENS:
    with tempfile.TemporaryDirectory() as profile, \
            PageSession(ROOT / "build" / "web", profile, window_size="900,560") as session:
        if phone:
            session.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                "width": width, "height": height, "deviceScaleFactor": ratio, "mobile": True})
            session.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled",
                                           {"enabled": True, "maxTouchPoints": 5})
            session.driver.get(session.url)
        first_frame(session)
        read_the_first_monument(session, phone)
        session.driver.save_screenshot(str(ROOT / "docs" / f"{name}.png"))
