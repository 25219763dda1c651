#!/usr/bin/python3
"""Measures the browser edition in Debian's headless Chromium, served from
localhost: the tick period over 500 ticks and the drift of the grid; the
first frame after navigation, cold (a fresh browser profile each time) and
warm (the same profile, visited before); the first key to sound; and the
size of the folder.

Usage: bench/web_bench.py [folder, default build/web] [--runs N] [--no-ticks]
(after tools/build-web.sh)

The first key to sound: the page is opened, the key (Space) pressed a second
after its first frame, as a player would, and timed from the key event to
the audio context running with the tune's source started, and to the first
sound that is not silence, read from an AnalyserNode fed by whatever the
page connects to its speakers. Headless Chromium asks for a gesture before
any sound, as a browser does for a page a player opens for the first time."""
import argparse
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

# Put into every page before its own scripts: notes when the first key
# comes, when a tune's source is started and its context runs, and when the
# first sample that is not silence reaches the speakers.
LISTENER = """(() => {
  const bench = window.benchSound = {
    keyAt: null, runningAt: null, soundAt: null, decodedAt: null,
    started: false, context: null, analysers: [],
  };
  const connect = AudioNode.prototype.connect;
  AudioNode.prototype.connect = function (target, ...rest) {
    if (target instanceof AudioDestinationNode) {
      const analyser = this.context.createAnalyser();
      analyser.fftSize = 256;
      connect.call(this, analyser);
      bench.analysers.push(analyser);
    }
    return connect.call(this, target, ...rest);
  };
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (...args) {
    bench.started = true;
    bench.context = this.context;
    return start.apply(this, args);
  };
  const decode = BaseAudioContext.prototype.decodeAudioData;
  BaseAudioContext.prototype.decodeAudioData = function (...args) {
    return decode.apply(this, args).then((buffer) => {
      bench.decodedAt = performance.now();
      return buffer;
    });
  };
  const samples = new Float32Array(256);
  const sounding = () => bench.analysers.some((analyser) => {
    analyser.getFloatTimeDomainData(samples);
    return samples.some((value) => value !== 0);
  });
  addEventListener('keydown', (event) => {
    if (bench.keyAt !== null) {
      return;
    }
    bench.keyAt = event.timeStamp;
    const watch = () => {
      const now = performance.now();
      if (bench.runningAt === null && bench.started && bench.context.state === 'running') {
        bench.runningAt = now;
      }
      if (bench.soundAt === null && sounding()) {
        bench.soundAt = now;
      }
      if ((bench.soundAt === null || bench.runningAt === null) && now - bench.keyAt < 10000) {
        setTimeout(watch, 1);
      }
    };
    watch();
  }, true);
})();"""


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


def first_frame(session):
    while not session.driver.execute_script(
            "return window.munyura && window.munyura.firstFrameMs"):
        time.sleep(0.02)
    return session.driver.execute_script("return window.munyura.firstFrameMs")


def settled(session):
    """Waits until a service worker, if the page has one, answers for it (a
    page without one waits five seconds)."""
    deadline = time.monotonic() + 5
    while time.monotonic() < deadline and not session.driver.execute_script(
            "return !!navigator.serviceWorker && !!navigator.serviceWorker.controller"):
        time.sleep(0.1)


def cold_first_frames(folder, runs):
    frames = []
    for _ in range(runs):
        with tempfile.TemporaryDirectory() as profile, PageSession(folder, profile) as session:
            frames.append(first_frame(session))
    return frames


def warm_first_frames(session, runs):
    first_frame(session)
    settled(session)
    frames = []
    for _ in range(runs):
        # A visit later, not while the last one still decodes its tune.
        time.sleep(2)
        session.driver.get(session.url)
        frames.append(first_frame(session))
    return frames


def key_to_sound(session, runs):
    """(to the context running with the source started, to the first sound,
    first frame to the tune decoded) in ms, one triple per run."""
    results = []
    session.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": LISTENER})
    for _ in range(runs):
        session.driver.get(session.url)
        frame = first_frame(session)
        time.sleep(1)
        session.key("space")
        deadline = time.monotonic() + 15
        while True:
            sound = session.driver.execute_script(
                "const b = window.benchSound; return {keyAt: b.keyAt, runningAt: b.runningAt,"
                " soundAt: b.soundAt, decodedAt: b.decodedAt};")
            if sound["runningAt"] is not None and sound["soundAt"] is not None:
                break
            assert time.monotonic() < deadline, f"no sound after the key: {sound}"
            time.sleep(0.05)
        results.append((sound["runningAt"] - sound["keyAt"], sound["soundAt"] - sound["keyAt"],
                        sound["decodedAt"] - frame))
    return results


def spread(values):
    return "median %.0f, all %s" % (statistics.median(values),
                                    ", ".join("%.0f" % v for v in values))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folder", nargs="?", type=pathlib.Path, default=ROOT / "build" / "web")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--no-ticks", action="store_true")
    arguments = parser.parse_args()
    folder, runs = arguments.folder, arguments.runs

    print("first frame, cold, fresh profile (ms): " + spread(cold_first_frames(folder, runs)))
    with tempfile.TemporaryDirectory() as profile, PageSession(folder, profile) as session:
        print("first frame, warm, visited before (ms): " + spread(warm_first_frames(session, runs)))
        sounds = key_to_sound(session, runs)
        print("first key to the tune's context running (ms): " + spread([s[0] for s in sounds]))
        print("first key to the first sound (ms): " + spread([s[1] for s in sounds]))
        print("first frame to the tune decoded (ms): " + spread([s[2] for s in sounds]))
    if not arguments.no_ticks:
        with tempfile.TemporaryDirectory() as profile, PageSession(folder, profile) as session:
            for name, value in tick_schedule(session).items():
                print(f"{name}: {value}")
    print(f"folder size: {folder_bytes(folder)} bytes")
    for name in ("tune.opus", "munyura.wasm", "munyura.js", "fonts/munyura-gothic.woff2"):
        print(f"  {name}: {os.path.getsize(folder / name)} bytes")


if __name__ == "__main__":
    main()
