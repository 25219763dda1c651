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


def tap(session, x, y):
    session.touch("touchStart", [(1, x, y)])
    session.touch("touchEnd", [])


def read_the_first_monument(session, phone):
    if phone:  # a tap on STRAT, then the read button
        tap(session, *session.point("strat"))
        time.sleep(0.3)
        tap(session, *session.point("read-button"))
    else:
        session.key("space")
        time.sleep(0.3)
        session.key("z")
    time.sleep(1.5)


for name, width, height, ratio, phone in SCREENS:
    with tempfile.TemporaryDirectory() as profile, \
            PageSession(ROOT / "build" / "web", profile) as session:
        session.cdp("Emulation.setDeviceMetricsOverride", width=width, height=height,
                    deviceScaleFactor=ratio, mobile=phone)
        if phone:
            session.cdp("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
        session.open()
        read_the_first_monument(session, phone)
        session.driver.save_screenshot(str(ROOT / "docs" / f"{name}.png"))
