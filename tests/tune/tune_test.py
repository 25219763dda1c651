#!/usr/bin/env python3
"""Checks the background tune, assets/bdmidi.mid:
python3 tests/tune/tune_test.py REPO_ROOT RENDER_TUNE

The game loops the tune forever, so besides being a well-formed Standard MIDI
File it must set up every channel on the first tick, stop on the last bar line
and leave no note hanging over the seam. The file is read with a reader of its
own, not the code that writes it, and must still be what tools/make-tune.py makes.
Rendered through the game's own synthesiser, one loop lasts 45 to 90 seconds
and peaks between -6 and -3 dBFS: loud enough to hear, clear of clipping.
"""

import pathlib
import statistics
import subprocess
import sys
import tempfile
import unittest

DRUMS = 9


class SmfError(ValueError):
    pass


def expect(condition, problem):
    if not condition:
        raise SmfError(problem)


def read_number(data, pos):
    """A variable-length quantity of at most four bytes."""
    value = 0
    for pos in range(pos, min(pos + 4, len(data))):
        value = value << 7 | data[pos] & 0x7F
        if not data[pos] & 0x80:
            return value, pos + 1
    raise SmfError("variable-length quantity cut off or too long")


def read_track(data):
    """Events as (tick, status, meta type or None, data bytes), and the end tick."""
    events, tick, pos, running = [], 0, 0, None
    while pos < len(data):
        delta, pos = read_number(data, pos)
        tick += delta
        expect(pos < len(data), "event missing after its delta time")
        if data[pos] & 0x80:
            status, pos = data[pos], pos + 1
        else:
            expect(running is not None, "data byte with no running status")
            status = running
        meta = None
        if status == 0xFF:
            expect(pos < len(data), "meta event without a type")
            meta, running = data[pos], None
            length, pos = read_number(data, pos + 1)
        elif status in (0xF0, 0xF7):
            running = None
            length, pos = read_number(data, pos)
        else:
            expect(status < 0xF0, f"status 0x{status:02x} has no place in a file")
            running, length = status, 1 if status & 0xF0 in (0xC0, 0xD0) else 2
        body = data[pos:pos + length]
        expect(len(body) == length, "event runs past the chunk")
        expect(meta is not None or status >= 0xF0 or all(b < 0x80 for b in body),
               "status byte inside a channel message")
        events.append((tick, status, meta, body))
        pos += length
        if meta == 0x2F:
            expect(length == 0 and pos == len(data), "End-of-Track with data or not last")
            return events, tick
    raise SmfError("track ends without End-of-Track")


def read_smf(data):
    """Ticks per quarter note and the tracks, or SmfError."""
    expect(data[:8] == b"MThd\0\0\0\6", "no MThd chunk of length 6")
    file_format, count, division = (int.from_bytes(data[i:i + 2], "big") for i in (8, 10, 12))
    expect(file_format in (0, 1) and 1 <= count <= 64 and (file_format or count == 1),
           f"{count} tracks in a format {file_format} file")
    expect(0 < division < 0x8000, "division is not ticks per quarter note")
    pos, tracks = 14, []
    for _ in range(count):
        length = int.from_bytes(data[pos + 4:pos + 8], "big")
        expect(data[pos:pos + 4] == b"MTrk" and pos + 8 + length <= len(data),
               f"no whole MTrk chunk at byte {pos}")
        tracks.append(read_track(data[pos + 8:pos + 8 + length]))
        pos += 8 + length
    expect(pos == len(data), "bytes after the last track")
    return division, tracks


class TuneTest(unittest.TestCase):
    root = render_tune = None

    @classmethod
    def setUpClass(cls):
        cls.data = (cls.root / "assets" / "bdmidi.mid").read_bytes()
        cls.division, cls.tracks = read_smf(cls.data)
        cls.events = [e for events, _ in cls.tracks for e in events]
        cls.notes = {}  # channel: keys struck
        for _, status, _, body in cls.events:
            if status & 0xF0 == 0x90 and body[1]:
                cls.notes.setdefault(status & 0x0F, []).append(body[0])

    def test_melody_bass_and_drums_each_on_a_channel_of_its_own(self):
        channels = [{s & 0x0F for _, s, _, _ in events if s < 0xF0} for events, _ in self.tracks]
        self.assertTrue(all(len(c) <= 1 for c in channels), channels)
        self.assertEqual(len(set().union(*channels)), sum(map(len, channels)), channels)
        medians = [statistics.median(keys) for c, keys in self.notes.items() if c != DRUMS]
        self.assertIn(DRUMS, self.notes)
        programs = {b[0] for _, s, _, b in self.events if s & 0xF0 == 0xC0 and s & 15 != DRUMS}
        self.assertGreaterEqual(len(programs), 2, "melody and bass need instruments of their own")
        self.assertGreaterEqual(max(medians), 67, "no melody above G4")
        self.assertLessEqual(min(medians), 52, "no bass below E3")

    def test_every_channel_is_set_up_and_sounds_from_the_first_tick(self):
        conductor = {meta for tick, _, meta, _ in self.tracks[0][0] if tick == 0}
        self.assertLessEqual({0x51, 0x58}, conductor)  # tempo and metre
        first = [(s, meta, body) for tick, s, meta, body in self.events if tick == 0]
        for channel in self.notes:
            setup = {"program" if s & 0xF0 == 0xC0 else f"CC{body[0]}" for s, _, body in first
                     if s & 0x0F == channel and s & 0xF0 in (0xB0, 0xC0)}
            needed = {"CC7", "CC10", "CC91"} | ({"program"} if channel != DRUMS else set())
            self.assertLessEqual(needed, setup, f"channel {channel}")
        self.assertTrue(any(s & 0xF0 == 0x90 and body[1] for s, _, body in first))

    def test_all_tracks_end_together_on_a_bar_line_with_every_note_released(self):
        metre = [body for tick, _, meta, body in self.tracks[0][0] if meta == 0x58 and not tick]
        bar = self.division * 4 * metre[0][0] // 2 ** metre[0][1]
        ends = {end for _, end in self.tracks}
        self.assertEqual(len(ends), 1, ends)
        self.assertEqual(ends.pop() % bar, 0, "the loop point is not at a bar line")
        for events, _ in self.tracks:
            sounding = set()
            for tick, status, _, body in (e for e in events if 0x80 <= e[1] < 0xA0):
                key = (status & 0x0F, body[0])
                if status & 0xF0 == 0x90 and body[1]:
                    self.assertNotIn(key, sounding, f"{key} struck again at {tick}")
                    sounding.add(key)
                else:
                    self.assertIn(key, sounding, f"{key} released at {tick} unstruck")
                    sounding.remove(key)
            self.assertEqual(sounding, set(), "notes still sounding at the end")

    def test_script_writes_the_same_file(self):
        with tempfile.TemporaryDirectory() as folder:
            output = pathlib.Path(folder) / "tune.mid"
            subprocess.run([str(self.root / "tools" / "make-tune.py"), "--output", str(output)],
                           check=True, stdout=subprocess.DEVNULL)
            self.assertTrue(output.read_bytes() == self.data,
                            "tools/make-tune.py no longer writes assets/bdmidi.mid")

    def test_one_loop_lasts_45_to_90_seconds_and_peaks_at_minus_6_to_minus_3_dbfs(self):
        report = subprocess.run([self.render_tune, str(self.root / "assets" / "bdmidi.mid"),
                                 "--level"], check=True, capture_output=True, text=True).stdout
        values = {name: float(value) for name, value in map(str.split, report.splitlines())}
        print("one loop: %(length_seconds).1f s, peak %(peak_dbfs).2f dBFS" % values)
        self.assertTrue(45 <= values["length_seconds"] <= 90, values)
        self.assertTrue(-6 <= values["peak_dbfs"] <= -3, values)


if __name__ == "__main__":
    TuneTest.root, TuneTest.render_tune = pathlib.Path(sys.argv[1]).resolve(), sys.argv[2]
    unittest.main(argv=sys.argv[:1] + sys.argv[3:])
