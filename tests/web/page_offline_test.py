#!/usr/bin/python3
"""The page as an installed app, in a real headless Chromium: installable
with its icons, the maskable one's chick inside the launcher's circle; after
one visit it starts with the server gone, shows the title screen, has its tune
decoded and waiting before any gesture and playing after a key, its WebAssembly answered as application/wasm although
the host sent it as anything; and a new build brings a new cache, which
replaces the old one on the next visit. The folder lies deep in the host's
tree, with a space and Japanese in its name, beside a page of another kind.

    page_offline_test.py BUILD_WEB_FOLDER
"""
import json
import math
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import time
from urllib.parse import quote

from page_session import PageSession, canvas_rows, first_frame, read_rgba_png, wait_for

ROOT = pathlib.Path(__file__).resolve().parents[2]


def check_icons(session, folder):
    manifest = json.loads((folder / "manifest.webmanifest").read_text())
    purposes = {icon["purpose"] for icon in manifest["icons"]}
    assert purposes == {"any", "maskable"}, purposes
    for icon in manifest["icons"]:
        loaded = session.driver.execute_async_script(
            """const image = new Image(); const done = arguments[1];
            image.onload = () => done(`${image.naturalWidth}x${image.naturalHeight}`);
            image.onerror = () => done('did not load');
            image.src = new URL(arguments[0], new URL('manifest.webmanifest', location)).href;""",
            icon["src"])
        assert loaded == icon["sizes"], f"{icon['src']}: {loaded}, not {icon['sizes']}"
        if icon["purpose"] == "maskable":
            check_safe_circle(folder / icon["src"])


def check_safe_circle(path):
    """Full bleed, and nothing but the background outside the central 80 %."""
    width, height, rows = read_rgba_png(path.read_bytes())
    back = bytes(rows[0][0:4])
    assert back[3] == 255, f"{path.name}: its corner is not opaque"
    outside = [(x, y) for y in range(height) for x in range(width)
               if math.hypot(x + 0.5 - width / 2, y + 0.5 - height / 2) > 0.4 * width
               and bytes(rows[y][4 * x:4 * x + 4]) != back]
    assert not outside, f"{path.name}: {len(outside)} pixels of the drawing outside the circle"


def worker_version(folder):
    return re.search(r"const VERSION = '(\w+)';", (folder / "service_worker.js").read_text())[1]


def caches_of(session):
    """The versions of the game's caches on the host, as the page names them."""
    names = session.driver.execute_async_script("caches.keys().then(arguments[0]);")
    return sorted(name.split()[-1] for name in names)


def controlled(session):
    wait_for(session, "return !!navigator.serviceWorker.controller",
             "the service worker to control the page")


def main():
    web = pathlib.Path(sys.argv[1])
    with tempfile.TemporaryDirectory() as site, tempfile.TemporaryDirectory() as profile:
        site = pathlib.Path(site)
        folder = site / "games" / "ムニュラ 1"
        shutil.copytree(web, folder)
        (site / "elsewhere.html").write_text("<!DOCTYPE html><title>Elsewhere</title>\n")
        # A host that does not know .wasm. (Headless Chromium asks for a
        # gesture before any sound, as for a page a player opens the first time.)
        with PageSession(site, profile, server_args=["--unknown-wasm"]) as session:
            host = session.url
            port = int(host.rstrip("/").rsplit(":", 1)[1])
            game = host + quote("games/ムニュラ 1/")
            session.driver.get(game)
            first_frame(session)
            errors = session.driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})
            assert errors["installabilityErrors"] == [], errors
            check_icons(session, folder)

            # One visit, then the host gone: the page starts from the cache.
            controlled(session)
            old = worker_version(folder)
            assert caches_of(session) == [old], caches_of(session)
            session.stop_serving()
            # Nothing from the browser's own HTTP cache: only the worker's copy.
            session.driver.execute_cdp_cmd("Network.clearBrowserCache", {})
            session.driver.get_log("browser")
            session.driver.refresh()
            first_frame(session)
            assert canvas_rows(session)[150].count((255, 0, 0)) > 50, "no title screen's button"
            wasm_type = session.driver.execute_async_script(
                "fetch('munyura.wasm').then((r) => arguments[0](r.headers.get('Content-Type')));")
            assert wasm_type == "application/wasm", wasm_type
            # Decoded and started before any gesture, so the key only lets it out.
            wait_for(session, """const t = window.munyura.tune;
                return t.source && t.context.state === 'suspended';""", "the tune made ready")
            session.key("Space", " ", 32)
            wait_for(session, """const t = window.munyura.tune;
                return t.source && t.context.state === 'running';""", "the tune after a key")
            assert not session.console_errors(), session.console_errors()

            # A new build: one changed file, a new worker.
            with open(folder / "fonts" / "README.txt", "a", encoding="utf-8") as readme:
                readme.write("A later build.\n")
            subprocess.run(["/usr/bin/python3", str(ROOT / "tools" / "web" / "make-service-worker.py"),
                            str(ROOT / "web" / "page" / "service_worker.js"), str(folder)],
                           check=True)
            new = worker_version(folder)
            assert new != old, "a changed file left the worker as it was"
            session.serve(port)
            # The visit after the build: the old version still plays, while the
            # browser fetches the new one and keeps it waiting.
            session.driver.get(game)
            first_frame(session)
            wait_for(session, """return navigator.serviceWorker.getRegistration().then(
                (r) => !!r.waiting);""", "the new version to be fetched")
            assert len(caches_of(session)) == 2, caches_of(session)
            # Once the last tab of the old version is gone, the new one takes
            # over and deletes the old cache; the next visit is the new build.
            session.driver.get(host + "elsewhere.html")
            deadline = time.monotonic() + 30
            while caches_of(session) != [new]:
                assert time.monotonic() < deadline, f"caches left: {caches_of(session)}"
                time.sleep(0.1)
            session.driver.get(game)
            first_frame(session)
            controlled(session)
            readme = session.driver.execute_async_script(
                "fetch('fonts/README.txt').then((r) => r.text()).then(arguments[0]);")
            assert readme.endswith("A later build.\n"), readme[-80:]
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
