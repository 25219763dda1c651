#!/usr/bin/python3
"""Measures the browser edition in Debian's headless Chromium, served from
localhost: the tick period over 500 ticks and the drift of the grid, the
time from navigation to the first frame, and the size of build/web/.

Usage: bench/web_bench.py [folder, default build/web]   (after tools/build-web.sh)"""
import os
import pathlib
import statistics
import sys
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "tests" / "web"))
from page_session import PageSession  # noqa: E402

TICKS = 500
PERIOD = 60.0
NAVIGATIONS = 5


def folder_bytes(folder):
    return sum(f.stat().st_size for f in folder.rglob("*") if f.is_file())


def tick_schedule(session):
    while (session.driver.execute_script(
            "return window.munyura ? window.munyura.tickTimes.length : 0") < TICKS + 1):
        time.sleep(0.5)
    load, times = session.driver.execute_script(
        "return [window.munyura.loadMs, window.munyura.tickTimes.slice(-%d)];" % (TICKS + 1))
    periods = [b - a for a, b in zip(times, times[1:])]
    # Each tick's lateness behind its grid point, load + k * 60 ms.
    lateness = [(t - load) % PERIOD for t in times]
    missed = sum(round(p / PERIOD) - 1 for p in periods)
    mean = statistics.mean(periods)
    return {
        f"mean period over {TICKS} ticks (ms)": "%.3f" % mean,
        "off 60 ms by (%)": "%.3f" % (abs(mean - PERIOD) / PERIOD * 100),
        "lateness behind the grid, first / last tick (ms)": "%.1f / %.1f" % (lateness[0],
                                                                              lateness[-1]),
        "lateness, 99th percentile (ms)": "%.1f" % sorted(lateness)[int(0.99 * len(lateness))],
        "grid points without a tick": missed,
    }


def first_frames(session):
    frames = []
    for _ in range(NAVIGATIONS):
        session.driver.get(session.url)
        while not session.driver.execute_script(
                "return window.munyura && window.munyura.firstFrameMs"):
            time.sleep(0.02)
        frames.append(session.driver.execute_script("return window.munyura.firstFrameMs"))
    return frames


def main():
    folder = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ROOT / "build" / "web")
    with tempfile.TemporaryDirectory() as profile, PageSession(folder, profile) as session:
        for name, value in tick_schedule(session).items():
            print(f"{name}: {value}")
        frames = first_frames(session)
        print("first frame after navigation (ms): median %.0f, all %s"
              % (statistics.median(frames), ", ".join("%.0f" % f for f in frames)))
    print(f"folder size: {folder_bytes(folder)} bytes")
    for name in ("tune.opus", "munyura.wasm", "munyura.js", "fonts/munyura-gothic.woff2"):
        print(f"  {name}: {os.path.getsize(folder / name)} bytes")


if __name__ == "__main__":
    main()
