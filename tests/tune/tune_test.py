#!/usr/bin/env python3
"""The background tune, assets/bdmidi.mid, as the game reads and plays it (render_tune). The
game loops it forever, so every channel is set up on the first tick, the song stops on a bar
line and no note hangs over the seam. It is still what tools/make-tune.py writes, and one loop
lasts 45 to 90 seconds and peaks between -6 and -3 dBFS: loud enough to hear, clear of clipping.
Usage: tune_test.py REPO_ROOT RENDER_TUNE"""

import os
import pathlib
import statistics
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from x_session import TUNE, check, outcome  # noqa: E402

DRUMS = 9


def first_tick_meta(data, kind):
    """A meta event's data among those on the first tick of the first track."""
    at = 22
    while data[at] == 0 and data[at + 1] == 0xFF:
        if data[at + 2] == kind:
            return data[at + 4:at + 4 + data[at + 3]]
        at += 4 + data[at + 3]
    return b""


def main(root, render_tune):
    data = pathlib.Path(TUNE).read_bytes()
    read = subprocess.run([render_tune, TUNE, "--messages"], check=True, capture_output=True,
                          text=True).stdout.splitlines()
    length, song = int(read[0]), [tuple(map(int, line.split())) for line in read[1:]]
    # By channel: keys struck, controllers (128: a program) and programs on the first tick;
    # by channel and key: 1 while struck; notes struck twice or let go unstruck.
    keys, setup, programs, sounding, wrong = {}, {}, set(), {}, []
    for time, status, key, velocity in song:
        kind, channel, struck = status & 0xF0, status & 0x0F, status & 0xF0 == 0x90 and velocity
        if struck:
            keys.setdefault(channel, []).append(key)
        if time == 0 and kind in (0xB0, 0xC0):
            setup.setdefault(channel, set()).add(128 if kind == 0xC0 else key)
            programs |= {key} if kind == 0xC0 and channel != DRUMS else set()
        if kind in (0x80, 0x90):
            sounding[channel, key] = sounding.get((channel, key), 0) + (1 if struck else -1)
            wrong += [(channel, key, time)] if sounding[channel, key] not in (0, 1) else []
    for channel in keys:
        needed = {7, 10, 91} | ({128} if channel != DRUMS else set())
        check(needed <= setup.get(channel, set()), "channel %d is set up on the first tick: "
              "volume, pan, reverb and its instrument %r" % (channel, setup.get(channel)))
    check(any(time == 0 and status & 0xF0 == 0x90 and velocity
              for time, status, _, velocity in song), "it sounds from the first tick")
    medians = [statistics.median(struck) for channel, struck in keys.items() if channel != DRUMS]
    check(DRUMS in keys and len(programs) == len(keys) - 1 and max(medians) >= 67 and
          min(medians) <= 52, "drums, and melody (above G4) and bass (below E3) on channels and "
          "instruments of their own: medians %r, programs %r" % (medians, programs))

    tempo, metre = first_tick_meta(data, 0x51), first_tick_meta(data, 0x58)
    bar = int.from_bytes(tempo, "big") * 4 * metre[0] >> metre[1] if len(metre) == 4 else 0
    check(len(tempo) == 3 and bar and length % bar == 0,
          "tempo and metre on the first tick, and the loop point on a bar line (%d µs)" % length)
    check(not wrong and set(sounding.values()) <= {0}, "every note is struck once at a time "
          "and released by the end %r" % wrong[:3])

    with tempfile.NamedTemporaryFile(suffix=".mid") as written:
        subprocess.run([os.path.join(root, "tools", "make-tune.py"), "--output", written.name],
                       check=True, stdout=subprocess.DEVNULL)
        check(written.read() == data, "tools/make-tune.py still writes assets/bdmidi.mid")
    level = subprocess.run([render_tune, TUNE, "--level"], check=True, capture_output=True,
                           text=True).stdout.split()
    seconds, peak = float(level[1]), float(level[3])
    check(45 <= seconds <= 90 and -6 <= peak <= -3,
          "one loop lasts %.1f s (45 to 90) and peaks at %.2f dBFS (-6 to -3)" % (seconds, peak))
    return outcome()


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
