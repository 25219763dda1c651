#!/usr/bin/env python3
"""Writes the fuzzer's seeds into corpus/: the game's tune and small good
files, each kind of malformed file the reader refuses, and hostile ones."""

import os
import shutil

HERE = os.path.dirname(os.path.abspath(__file__))


def delta(ticks):
    out = [ticks & 0x7F]
    while ticks := ticks >> 7:
        out.insert(0, 0x80 | (ticks & 0x7F))
    return bytes(out)


def track(*events, end=b"\x00\xff\x2f\x00"):
    body = b"".join(events) + end
    return b"MTrk" + len(body).to_bytes(4, "big") + body


def midi(fmt, division, *tracks, count=None):
    header = (6).to_bytes(4, "big") + fmt.to_bytes(2, "big")
    header += (len(tracks) if count is None else count).to_bytes(2, "big") + division.to_bytes(2, "big")
    return b"MThd" + header + b"".join(tracks)


NOTE = b"\x00\x90\x3c\x64"
SEEDS = {
    "good-chord": midi(0, 480, track(b"\x00\xc0\x13", NOTE, b"\x00\x90\x43\x64", delta(960) + b"\x80\x3c\x00")),
    "good-tempo-map": midi(1, 480, track(b"\x00\xff\x51\x03\x0f\x42\x40", delta(480) + b"\xff\x51\x03\x07\xa1\x20"),
                           track(b"\x00\xf0\x03\x7e\x7f\xf7", NOTE, delta(96) + b"\x3e\x50", b"\x00\xff\x01\x02hi")),
    "good-smpte": midi(0, 0xE728, track(delta(1000) + b"\x99\x24\x02")),
    "bad-empty": b"",
    "bad-text": b"hello, world!\n",
    "bad-no-tracks": midi(0, 480, count=1),
    "bad-format-2": midi(2, 480, track()),
    "bad-zero-division": midi(0, 0, track()),
    "bad-no-end": midi(0, 480, track(NOTE, end=b"")),
    "bad-after-end": midi(0, 480, track(end=b"\x00\xff\x2f\x00" + NOTE)),
    "bad-running-status-first": midi(0, 480, track(b"\x00\x3c\x64")),
    "bad-five-byte-delta": midi(0, 480, track(b"\x81\x81\x81\x81\x01\x90\x3c\x01")),
    "bad-tempo-zero": midi(0, 480, track(b"\x00\xff\x51\x03\x00\x00\x00")),
    "bad-chunk-too-long": midi(0, 480, count=1) + b"MTrk\x7f\xff\xff\xff\x00",
    "hostile-longer-than-an-hour": midi(0, 1, track(b"\x00\xff\x51\x03\xff\xff\xff", end=delta(300) + b"\xff\x2f\x00")),
    "hostile-notes-at-once": midi(0, 480, track(NOTE + b"".join(bytes([0, k % 128, 100]) for k in range(3000)))),
    "hostile-latest-tick": midi(0, 96, track(delta(0x0FFFFFFF) + b"\x90\x3c\x01", delta(0x0FFFFFFF) + b"\x80\x3c\x00")),
}

for name, data in SEEDS.items():
    with open(os.path.join(HERE, "corpus", name + ".mid"), "wb") as f:
        f.write(data)
shutil.copy(os.path.join(HERE, "..", "..", "assets", "bdmidi.mid"), os.path.join(HERE, "corpus", "good-the-games-tune.mid"))
