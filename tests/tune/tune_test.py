#!/usr/bin/env python3
"""Checks the background tune, assets/bdmidi.mid.

    python3 tests/tune/tune_test.py REPO_ROOT

The game loops the tune forever from the title screen on, so besides being a
well-formed Standard MIDI File it has to start on the first tick, stop exactly
at the end of its last bar and leave no note hanging over the seam. The file
is read here with a reader of its own, not with the code that writes it, and
must still be what tools/make-tune.py makes.
"""

import dataclasses
import pathlib
import statistics
import subprocess
import sys
import tempfile
import unittest

PERCUSSION_CHANNEL = 9
END_OF_TRACK = 0x2F
SET_TEMPO = 0x51
TIME_SIGNATURE = 0x58
DEFAULT_TEMPO = 500_000  # microseconds per quarter note until a tempo event says otherwise
MAX_TRACKS = 64


class SmfError(ValueError):
    pass


@dataclasses.dataclass(frozen=True)
class Event:
    tick: int
    status: int  # 0x80..0xEF for channel messages, 0xFF meta, 0xF0/0xF7 sysex
    data: bytes
    meta_type: int = -1

    @property
    def channel(self):
        return self.status & 0x0F

    @property
    def kind(self):
        return self.status & 0xF0


@dataclasses.dataclass(frozen=True)
class Track:
    events: tuple
    end_tick: int


@dataclasses.dataclass(frozen=True)
class Smf:
    format: int
    ticks_per_quarter: int
    tracks: tuple


def read_variable_length(data, pos, end):
    value = 0
    for _ in range(4):
        if pos >= end:
            raise SmfError("variable-length quantity runs past the chunk")
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            return value, pos
    raise SmfError("variable-length quantity longer than four bytes")


def channel_message_length(status):
    return 1 if status & 0xF0 in (0xC0, 0xD0) else 2


def read_track(data, pos, end):
    events = []
    tick = 0
    running_status = None
    while pos < end:
        delta, pos = read_variable_length(data, pos, end)
        tick += delta
        if pos >= end:
            raise SmfError("event missing after its delta time")
        if data[pos] & 0x80:
            status = data[pos]
            pos += 1
        elif running_status is None:
            raise SmfError(f"data byte 0x{data[pos]:02x} with no running status")
        else:
            status = running_status
        if status == 0xFF:
            running_status = None
            if pos >= end:
                raise SmfError("meta event without a type")
            meta_type = data[pos]
            length, pos = read_variable_length(data, pos + 1, end)
            if pos + length > end:
                raise SmfError("meta event runs past the chunk")
            events.append(Event(tick, status, bytes(data[pos:pos + length]), meta_type))
            pos += length
            if meta_type == END_OF_TRACK:
                if length != 0:
                    raise SmfError("End-of-Track carries data")
                if pos != end:
                    raise SmfError(f"{end - pos} bytes after End-of-Track")
                return Track(tuple(events), tick)
        elif status in (0xF0, 0xF7):
            running_status = None
            length, pos = read_variable_length(data, pos, end)
            if pos + length > end:
                raise SmfError("sysex event runs past the chunk")
            events.append(Event(tick, status, bytes(data[pos:pos + length])))
            pos += length
        elif status >= 0xF0:
            raise SmfError(f"status 0x{status:02x} has no place in a file")
        else:
            running_status = status
            length = channel_message_length(status)
            message = bytes(data[pos:pos + length])
            if len(message) != length or pos + length > end:
                raise SmfError("channel message runs past the chunk")
            if any(byte & 0x80 for byte in message):
                raise SmfError(f"status byte inside a 0x{status:02x} message")
            events.append(Event(tick, status, message))
            pos += length
    raise SmfError("track ends without End-of-Track")


def read_smf(data):
    if len(data) < 14 or data[:4] != b"MThd":
        raise SmfError("no MThd chunk")
    if int.from_bytes(data[4:8], "big") != 6:
        raise SmfError("MThd length is not 6")
    file_format = int.from_bytes(data[8:10], "big")
    track_count = int.from_bytes(data[10:12], "big")
    division = int.from_bytes(data[12:14], "big")
    if file_format not in (0, 1):
        raise SmfError(f"format {file_format}")
    if not 1 <= track_count <= MAX_TRACKS or (file_format == 0 and track_count != 1):
        raise SmfError(f"{track_count} tracks in a format {file_format} file")
    if division & 0x8000 or division == 0:
        raise SmfError("division is not ticks per quarter note")
    pos = 14
    tracks = []
    for _ in range(track_count):
        if data[pos:pos + 4] != b"MTrk":
            raise SmfError(f"no MTrk chunk at byte {pos}")
        if pos + 8 > len(data):
            raise SmfError("MTrk header cut off")
        length = int.from_bytes(data[pos + 4:pos + 8], "big")
        start = pos + 8
        if start + length > len(data):
            raise SmfError("MTrk chunk runs past the file")
        tracks.append(read_track(data, start, start + length))
        pos = start + length
    if pos != len(data):
        raise SmfError(f"{len(data) - pos} bytes after the last track")
    return Smf(file_format, division, tuple(tracks))


def is_note_on(event):
    return event.kind == 0x90 and event.data[1] > 0


def is_note_off(event):
    return event.kind == 0x80 or (event.kind == 0x90 and event.data[1] == 0)


def notes_by_channel(smf):
    keys = {}
    for track in smf.tracks:
        for event in track.events:
            if is_note_on(event):
                keys.setdefault(event.channel, []).append(event.data[0])
    return keys


def length_in_seconds(smf):
    end_tick = max(track.end_tick for track in smf.tracks)
    tempo_changes = sorted((event.tick, int.from_bytes(event.data, "big"))
                           for track in smf.tracks for event in track.events
                           if event.meta_type == SET_TEMPO)
    microseconds = 0
    tick, tempo = 0, DEFAULT_TEMPO
    for change_tick, change_tempo in tempo_changes:
        if change_tick >= end_tick:
            break
        microseconds += (change_tick - tick) * tempo
        tick, tempo = change_tick, change_tempo
    microseconds += (end_tick - tick) * tempo
    return microseconds / smf.ticks_per_quarter / 1_000_000


END_OF_TRACK_BYTES = b"\x00\xff\x2f\x00"


def smf_bytes(*track_bodies, header_length=6, file_format=1):
    header = (b"MThd" + header_length.to_bytes(4, "big") + file_format.to_bytes(2, "big")
              + len(track_bodies).to_bytes(2, "big") + (96).to_bytes(2, "big"))
    return header + b"".join(b"MTrk" + len(body).to_bytes(4, "big") + body
                             for body in track_bodies)


class ReaderTest(unittest.TestCase):
    """The reader must refuse broken files, or the checks on the tune mean nothing."""

    def test_running_status_is_followed(self):
        body = b"\x00\x90\x3c\x40\x60\x3c\x00\x00\x3e\x50\x60\x3e\x00" + END_OF_TRACK_BYTES
        track = read_smf(smf_bytes(body)).tracks[0]
        notes = [(event.tick, event.status, event.data) for event in track.events[:-1]]
        self.assertEqual(notes, [(0, 0x90, b"\x3c\x40"), (96, 0x90, b"\x3c\x00"),
                                 (96, 0x90, b"\x3e\x50"), (192, 0x90, b"\x3e\x00")])
        self.assertEqual(track.end_tick, 192)

    def test_broken_files_are_refused(self):
        note = b"\x00\x90\x3c\x40"
        cases = [
            ("header length 7", smf_bytes(END_OF_TRACK_BYTES, header_length=7)),
            ("format 2", smf_bytes(END_OF_TRACK_BYTES, file_format=2)),
            ("format 0 with two tracks",
             smf_bytes(END_OF_TRACK_BYTES, END_OF_TRACK_BYTES, file_format=0)),
            ("no tracks", smf_bytes()),
            ("track count above the chunks", smf_bytes(END_OF_TRACK_BYTES)[:10] + b"\x00\x02"
             + smf_bytes(END_OF_TRACK_BYTES)[12:]),
            ("chunk length one short", smf_bytes(END_OF_TRACK_BYTES)[:-1]),
            ("bytes after the last chunk", smf_bytes(END_OF_TRACK_BYTES) + b"\x00"),
            ("no End-of-Track", smf_bytes(note)),
            ("bytes after End-of-Track", smf_bytes(END_OF_TRACK_BYTES + note)),
            ("End-of-Track with data", smf_bytes(b"\x00\xff\x2f\x01\x00")),
            ("running status with nothing to run on", smf_bytes(b"\x00\x3c\x40"
                                                                 + END_OF_TRACK_BYTES)),
            ("running status after a meta event",
             smf_bytes(note + b"\x00\xff\x01\x00\x00\x3c\x00" + END_OF_TRACK_BYTES)),
            ("delta time of five bytes", smf_bytes(b"\x81\x81\x81\x81\x00\x90\x3c\x40"
                                                    + END_OF_TRACK_BYTES)),
            ("delta time cut off", smf_bytes(note + b"\x81")),
            ("status byte inside a message", smf_bytes(b"\x00\x90\x3c\x90"
                                                        + END_OF_TRACK_BYTES)),
        ]
        for name, data in cases:
            with self.subTest(name), self.assertRaises(SmfError):
                read_smf(data)


class TuneTest(unittest.TestCase):
    root = None

    @classmethod
    def setUpClass(cls):
        cls.path = cls.root / "assets" / "bdmidi.mid"
        cls.data = cls.path.read_bytes()

    def smf(self):
        try:
            return read_smf(self.data)
        except SmfError as error:
            self.fail(f"{self.path} is not a valid Standard MIDI File: {error}")

    def test_is_a_standard_midi_file(self):
        smf = self.smf()
        self.assertIn(smf.format, (0, 1))
        self.assertGreater(sum(is_note_on(event) for track in smf.tracks
                               for event in track.events), 0)

    def test_lasts_between_45_and_90_seconds(self):
        seconds = length_in_seconds(self.smf())
        self.assertGreaterEqual(seconds, 45)
        self.assertLessEqual(seconds, 90)

    def test_has_three_instruments_including_percussion(self):
        smf = self.smf()
        programs = {}
        for track in smf.tracks:
            for event in track.events:
                if event.kind == 0xC0:
                    programs.setdefault(event.channel, event.data[0])
        channels = notes_by_channel(smf)
        self.assertIn(PERCUSSION_CHANNEL, channels, "no notes on the percussion channel")
        instruments = {("program", programs.get(channel, 0)) for channel in channels
                       if channel != PERCUSSION_CHANNEL} | {"percussion"}
        self.assertGreaterEqual(len(instruments), 3, instruments)

    def test_each_part_has_its_own_channel(self):
        seen = set()
        for number, track in enumerate(self.smf().tracks):
            channels = {event.channel for event in track.events if event.status < 0xF0}
            self.assertLessEqual(len(channels), 1, f"track {number} plays on {channels}")
            self.assertFalse(channels & seen, f"track {number} shares channel {channels}")
            seen |= channels

    def test_melody_bass_and_percussion_registers(self):
        channels = notes_by_channel(self.smf())
        medians = {channel: statistics.median(keys) for channel, keys in channels.items()
                   if channel != PERCUSSION_CHANNEL}
        self.assertGreaterEqual(len(medians), 2, "needs a melody and a bass on their own")
        self.assertGreaterEqual(max(medians.values()), 67, f"no melody above G4: {medians}")
        self.assertLessEqual(min(medians.values()), 52, f"no bass below E3: {medians}")
        self.assertIn(PERCUSSION_CHANNEL, channels)

    def test_every_channel_is_set_up_on_the_first_tick(self):
        smf = self.smf()
        conductor = {event.meta_type for event in smf.tracks[0].events if event.tick == 0}
        self.assertLessEqual({SET_TEMPO, TIME_SIGNATURE}, conductor)
        setup = {}
        for track in smf.tracks:
            for event in track.events:
                if event.tick == 0 and event.kind == 0xC0:
                    setup.setdefault(event.channel, set()).add("program")
                if event.tick == 0 and event.kind == 0xB0:
                    setup.setdefault(event.channel, set()).add(f"CC{event.data[0]}")
        for channel in notes_by_channel(smf):
            with self.subTest(channel=channel):
                expected = {"CC7", "CC10", "CC91"}
                if channel != PERCUSSION_CHANNEL:
                    expected.add("program")
                self.assertLessEqual(expected, setup.get(channel, set()))

    def test_first_note_starts_on_tick_zero(self):
        starts = [event.tick for track in self.smf().tracks for event in track.events
                  if is_note_on(event)]
        self.assertEqual(min(starts), 0)

    def test_all_tracks_end_together_at_the_end_of_a_bar(self):
        smf = self.smf()
        ends = {track.end_tick for track in smf.tracks}
        self.assertEqual(len(ends), 1, f"tracks end at ticks {sorted(ends)}")
        numerator, denominator_power = 4, 2
        for event in smf.tracks[0].events:
            if event.meta_type == TIME_SIGNATURE and event.tick == 0:
                numerator, denominator_power = event.data[0], event.data[1]
        bar = smf.ticks_per_quarter * 4 * numerator // 2**denominator_power
        self.assertEqual(ends.pop() % bar, 0, "the loop point is not at a bar line")

    def test_every_note_is_released_by_the_end_without_overlap(self):
        for number, track in enumerate(self.smf().tracks):
            sounding = {}
            for event in track.events:
                key = (event.channel, event.data[0]) if event.status < 0xF0 else None
                if is_note_on(event):
                    self.assertNotIn(key, sounding,
                                     f"track {number}: key {key} struck again at {event.tick}")
                    sounding[key] = event.tick
                elif is_note_off(event):
                    self.assertIn(key, sounding,
                                  f"track {number}: key {key} released at {event.tick} unstruck")
                    del sounding[key]
            self.assertEqual(sounding, {}, f"track {number}: notes still sounding at the end")

    def test_script_writes_the_same_file(self):
        with tempfile.TemporaryDirectory() as folder:
            output = pathlib.Path(folder) / "tune.mid"
            subprocess.run([str(self.root / "tools" / "make-tune.py"), "--output", str(output)],
                           check=True, stdout=subprocess.DEVNULL)
            self.assertTrue(output.read_bytes() == self.data,
                            "tools/make-tune.py no longer writes assets/bdmidi.mid")


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(f"usage: {sys.argv[0]} REPO_ROOT")
    TuneTest.root = pathlib.Path(sys.argv[1]).resolve()
    unittest.main(argv=[sys.argv[0]] + sys.argv[2:])
