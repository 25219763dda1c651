#!/usr/bin/env python3
"""The background tune, assets/bdmidi.mid, as the game reads and plays it
(render_tune). The game loops it forever, so every channel is set up on the
first tick, the song stops on a bar line and no note hangs over the seam. It
is still what tools/make-tune.py writes, and one loop lasts 45 to 90 seconds
and peaks between -6 and -3 dBFS: loud enough to hear, clear of clipping.

Usage: tune_test.py REPO_ROOT RENDER_TUNE"""

import os
import statistics
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from x_session import check, outcome  # noqa: E402

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
    tune = os.path.join(root, "assets", "bdmidi.mid")
    with open(tune, "rb") as f:
        data = f.read()
    read = subprocess.run([render_tune, tune, "--messages"], check=True, capture_output=True,
                          text=True).stdout.splitlines()
    length, song = int(read[0]), [tuple(map(int, line.split())) for line in read[1:]]
    keys, setup = {}, {}  # by channel: keys struck; controllers (128: a program) on the first tick
    for time, status, key, velocity in song:
        if status & 0xF0 == 0x90 and velocity:
            keys.setdefault(status & 0x0F, []).append(key)
        if time == 0 and status & 0xF0 in (0xB0, 0xC0):
            setup.setdefault(status & 0x0F, set()).add(128 if status & 0xF0 == 0xC0 else key)
    for channel in keys:
        needed = {7, 10, 91} | ({128} if channel != DRUMS else set())
        check(needed <= setup.get(channel, set()), "channel %d is set up on the first tick: "
              "volume, pan, reverb and its instrument %r" % (channel, setup.get(channel)))
    check(any(time == 0 and status & 0xF0 == 0x90 and velocity
              for time, status, _, velocity in song), "it sounds from the first tick")
    programs = {key for time, status, key, _ in song
                if time == 0 and status & 0xF0 == 0xC0 and status & 0x0F != DRUMS}
    medians = [statistics.median(struck) for channel, struck in keys.items() if channel != DRUMS]
    check(DRUMS in keys and len(programs) == len(keys) - 1 and max(medians) >= 67 and
          min(medians) <= 52, "drums, and melody (above G4) and bass (below E3) on channels and "
          "instruments of their own: medians %r, programs %r" % (medians, programs))

    tempo, metre = first_tick_meta(data, 0x51), first_tick_meta(data, 0x58)
    bar = int.from_bytes(tempo, "big") * 4 * metre[0] >> metre[1] if len(metre) == 4 else 0
    check(len(tempo) == 3 and bar and length % bar == 0,
          "tempo and metre on the first tick, and the loop point on a bar line (%d µs)" % length)
    sounding, wrong = {}, []  # by channel and key: 1 while struck; what went wrong, and when
    for time, status, key, velocity in song:
        if status & 0xE0 == 0x80:
            note = (status & 0x0F, key)
            sounding[note] = sounding.get(note, 0) + (1 if status & 0x10 and velocity else -1)
            wrong += [(note, time)] if sounding[note] not in (0, 1) else []
    check(not wrong and set(sounding.values()) <= {0}, "every note is struck once at a time "
          "and released by the end %r" % wrong[:3])

    with tempfile.TemporaryDirectory() as folder:
        written = os.path.join(folder, "tune.mid")
        subprocess.run([os.path.join(root, "tools", "make-tune.py"), "--output", written],
                       check=True, stdout=subprocess.DEVNULL)
        with open(written, "rb") as f:
            check(f.read() == data, "tools/make-tune.py still writes assets/bdmidi.mid")
    level = subprocess.run([render_tune, tune, "--level"], check=True, capture_output=True,
                           text=True).stdout.split()
    seconds, peak = float(level[1]), float(level[3])
    check(45 <= seconds <= 90 and -6 <= peak <= -3,
          "one loop lasts %.1f s (45 to 90) and peaks at %.2f dBFS (-6 to -3)" % (seconds, peak))
    return outcome()


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
