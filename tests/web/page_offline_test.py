#!/usr/bin/python3
"""The page as an installed app, in headless Chromium, from a folder deep in
a host's tree (a space and Japanese in its name) that sends .wasm as anything:
installable with its icons; after one visit it plays with the server gone;
a new build's cache replaces the old one (see the README).

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
from urllib.parse import quote

from page_session import ROOT, PageSession, read_rgba_png


def safe_circle_outside(path):
    """The maskable icon's pixels other than its opaque background outside
    the central 80 % a launcher may cut to."""
    width, height, rows = read_rgba_png(path.read_bytes())
    back = bytes(rows[0][0:4])
    return back[3] != 255 or [(x, y) for y in range(height) for x in range(width)
                              if math.hypot(x + 0.5 - width / 2, y + 0.5 - height / 2) > 0.4 * width
                              and bytes(rows[y][4 * x:4 * x + 4]) != back]


def version(folder):
    return re.search(r"const VERSION = '(\w+)';", (folder / "service_worker.js").read_text())[1]


def caches(page):
    return sorted(n.split()[-1] for n in page.driver.execute_async_script(
        "caches.keys().then(arguments[0]);"))


def fetched(page, path, how):
    return page.driver.execute_async_script(
        f"fetch('{path}').then((r) => {how}).then(arguments[0]);")


def main():
    web = pathlib.Path(sys.argv[1])
    with tempfile.TemporaryDirectory() as site, tempfile.TemporaryDirectory() as profile:
        site = pathlib.Path(site)
        folder = site / "games" / "ムニュラ 1"
        shutil.copytree(web, folder)
        (site / "elsewhere.html").write_text("<!DOCTYPE html><title>Elsewhere</title>\n")
        with PageSession(site, profile, server_args=["--unknown-wasm"]) as page:
            game = quote("games/ムニュラ 1/")
            page.open(game)
            assert page.cdp("Page.getInstallabilityErrors")["installabilityErrors"] == []
            icons = json.loads((folder / "manifest.webmanifest").read_text())["icons"]
            assert {icon["purpose"] for icon in icons} == {"any", "maskable"}, icons
            for icon in icons:
                loaded = page.driver.execute_async_script("""const image = new Image();
                    image.onload = () => arguments[1](`${image.naturalWidth}x${image.naturalHeight}`);
                    image.onerror = () => arguments[1]('did not load');
                    image.src = new URL(arguments[0], new URL('manifest.webmanifest', location));""",
                                                          icon["src"])
                assert loaded == icon["sizes"], f"{icon['src']}: {loaded}, not {icon['sizes']}"
                assert icon["purpose"] == "any" or not safe_circle_outside(folder / icon["src"])

            # One visit, then the host gone and the browser's HTTP cache
            # cleared: the page starts from the worker's copy.
            page.wait_for("return !!navigator.serviceWorker.controller", "the worker's control")
            old = version(folder)
            assert caches(page) == [old], caches(page)
            page.stop_serving()
            page.cdp("Network.clearBrowserCache")
            page.driver.get_log("browser")  # the first visit's (its wasm sent as anything)
            page.open(game)
            assert page.canvas_rows()[150].count((255, 0, 0)) > 50, "no title screen's button"
            wasm_type = fetched(page, "munyura.wasm", "r.headers.get('Content-Type')")
            assert wasm_type == "application/wasm", wasm_type
            # Decoded and started before any gesture, so the key only lets it out.
            for state, key in (("suspended", None), ("running", "space")):
                if key:
                    page.key(key)
                page.wait_for(f"""const t = window.munyura.tune;
                    return t.source && t.context.state === '{state}';""", f"the tune {state}")
            assert not page.console_errors(), page.errors

            # A new build: one changed file, a new worker.
            with open(folder / "fonts" / "README.txt", "a", encoding="utf-8") as readme:
                readme.write("A later build.\n")
            subprocess.run(["/usr/bin/python3", str(ROOT / "tools" / "web" / "make-service-worker.py"),
                            str(ROOT / "web" / "page" / "service_worker.js"), str(folder)], check=True)
            new = version(folder)
            assert new != old, "a changed file left the worker as it was"
            page.serve(int(page.url.rstrip("/").rsplit(":", 1)[1]))
            # The visit after it plays the old version while the new one waits.
            page.open(game)
            page.wait_for("return navigator.serviceWorker.getRegistration().then((r) => !!r.waiting);",
                          "the new version to be fetched")
            assert len(caches(page)) == 2, caches(page)
            # Once the last tab of the old version is gone, the new one takes
            # over and deletes the old cache; the next visit is the new build.
            page.driver.get(page.url + "elsewhere.html")
            page.wait_for("return caches.keys().then((k) => k.length === 1);", "the old cache gone")
            assert caches(page) == [new], caches(page)
            page.open(game)
            page.wait_for("return !!navigator.serviceWorker.controller", "the worker's control")
            assert fetched(page, "fonts/README.txt", "r.text()").endswith("A later build.\n")
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
