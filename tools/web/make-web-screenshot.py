#!/usr/bin/python3
"""Takes the README's picture of the page: build/web/ in headless Chromium,
room (0, 0) with the first monument read.

    tools/web/make-web-screenshot.py      -> docs/web-page.png (after tools/build-web.sh)
"""
import pathlib
import sys
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests" / "web"))
from page_session import PageSession  # noqa: E402

with tempfile.TemporaryDirectory() as profile, \
        PageSession(ROOT / "build" / "web", profile, window_size="900,560") as session:
    while not session.driver.execute_script("return window.munyura && window.munyura.firstFrameMs"):
        time.sleep(0.1)
    session.key("Space", " ", 32)
    time.sleep(0.3)
    session.key("KeyZ", "z", 90)
    time.sleep(1.5)
    session.driver.save_screenshot(str(ROOT / "docs" / "web-page.png"))
