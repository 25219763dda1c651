#!/usr/bin/env python3
"""Writes the game's background tune, a Standard MIDI File.

    tools/make-tune.py [--output PATH]        (default: assets/bdmidi.mid)

The tune is a little walk for the chick among the stone monuments: F major,
4/4 at 120 beats a minute, 32 bars (64 seconds) in the form A A' B A'', eight
bars each. An ocarina carries the tune, a marimba answers it with off-beat
chords (broken chords in the wandering B part), an acoustic bass walks
underneath and a light kit of kick, side stick, shaker and wood blocks keeps
the steps. The game loops it forever, so it starts on the first tick and every
note is over by the end of the last bar.

To change it, edit the note data below and run this script again:
  * a note is "pitch/length": "C5/8" is an eighth-note C an octave above
    middle C, "Bb4/4." a dotted quarter, "r/2" a half rest; lengths are
    1, 2, 4, 8 or 16 and bars are separated by "|", each exactly 4/4;
  * a chord line names one chord per bar, or two for half bars ("Gm C7");
    the chord names are the keys of VOICINGS;
  * a comping pattern has one character per eighth: "x" the whole chord,
    a digit one voice of it (0 the lowest), "." silence;
  * a drum row has one character per sixteenth: "x" a hit, "X" an accent,
    "o" a soft hit, "." silence; spaces are for the eye only.
Then check it with tests/tune/tune_test.py. The output is the same, byte for
byte, on every run.
"""

import argparse
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
DEFAULT_OUTPUT = ROOT / "assets" / "bdmidi.mid"

TICKS_PER_QUARTER = 480
BEATS_PER_BAR = 4
TICKS_PER_BAR = TICKS_PER_QUARTER * BEATS_PER_BAR
BEATS_PER_MINUTE = 120
KEY_FLATS = 1  # F major

# General MIDI programs, counted from 0 as they go on the wire.
OCARINA = 79
MARIMBA = 12
ACOUSTIC_BASS = 32

# General MIDI percussion keys (channel 10).
KICK = 36
SIDE_STICK = 37
CLOSED_HAT = 42
MARACAS = 70
HIGH_WOOD_BLOCK = 76
LOW_WOOD_BLOCK = 77

# ---------------------------------------------------------------------------
# The tune

MELODY = {
    "A": """
        C5/8 F5/8 A5/8 G5/8 F5/4 C5/4     | D5/8 F5/8 Bb5/4 F5/8 G5/8 D5/4 |
        G5/8 Bb5/8 D6/8 C6/8 Bb5/4 G5/4   | E5/8 G5/8 C6/4 G5/4 r/4 |
        A5/8 C6/8 A5/8 F5/8 C5/4 F5/8 G5/8 | A5/4 F5/8 D5/8 A5/4 G5/8 F5/8 |
        G5/8 Bb5/8 D6/8 Bb5/8 C6/8 Bb5/8 G5/8 E5/8 | G5/4 C6/8 G5/8 E5/4 r/4
    """,
    "A'": """
        C5/8 F5/8 A5/8 G5/8 F5/4 C5/4     | D5/8 F5/8 Bb5/4 F5/8 G5/8 D5/4 |
        G5/8 Bb5/8 D6/8 C6/8 Bb5/4 G5/4   | E5/8 G5/8 C6/4 Bb5/4 G5/8 E5/8 |
        C6/8 A5/8 F5/8 A5/8 C6/4 A5/4     | D6/8 C6/8 Bb5/8 F5/8 D5/4 F5/4 |
        G5/8 E5/8 G5/8 Bb5/8 C6/4 E5/4    | F5/4 A5/8 C6/8 F5/4 r/4
    """,
    # The chick stops to look around: longer notes, a turn to D minor.
    "B": """
        D5/4. F5/8 A5/2                   | A5/8 G5/8 C6/8 A5/8 E5/2 |
        F5/4. Bb5/8 D6/4 C6/8 Bb5/8       | A5/8 G5/8 F5/8 G5/8 A5/4 r/4 |
        Bb5/4. G5/8 D5/4 G5/8 Bb5/8       | F5/8 A5/8 D6/8 C6/8 A5/2 |
        Bb5/8 G5/8 D5/8 G5/8 Bb5/8 G5/8 C6/8 E6/8 | C6/4 Bb5/8 G5/8 E5/4 r/4
    """,
    "A''": """
        C5/8 F5/8 A5/8 G5/8 F5/4 C5/4     | D5/8 F5/8 Bb5/4 F5/8 G5/8 D5/4 |
        G5/8 Bb5/8 D6/8 C6/8 Bb5/4 G5/4   | E5/8 G5/8 C6/4 Bb5/4 G5/8 E5/8 |
        F5/8 A5/8 C6/8 F6/8 C6/4 A5/4     | D6/8 C6/8 Bb5/8 F5/8 D5/4 F5/4 |
        G5/8 E5/8 G5/8 Bb5/8 C6/4 E5/4    | A5/8 G5/8 F5/8 C5/8 F5/4 r/4
    """,
}

CHORDS = {
    "A": "F | Bb | Gm | C7 | F | Dm | Gm C7 | C",
    "A'": "F | Bb | Gm | C7 | F | Bb | C7 | F",
    "B": "Dm | Am | Bb | F | Gm | Dm | Gm C7 | C7",
    "A''": "F | Bb | Gm | C7 | F | Bb | C7 | F",
}

BASS = {
    "A": """
        F2/4 r/8 F2/8 C3/4 A2/4   | Bb2/4 r/8 Bb2/8 F2/4 D3/4 |
        G2/4 r/8 G2/8 D3/4 Bb2/4  | C3/4 r/8 C3/8 G2/4 E2/4 |
        F2/4 r/8 F2/8 A2/4 C3/4   | D3/4 r/8 D3/8 A2/4 F2/4 |
        G2/4 Bb2/4 C3/4 E2/4      | C3/4 G2/4 E2/4 C2/4
    """,
    "A'": """
        F2/4 r/8 F2/8 C3/4 A2/4   | Bb2/4 r/8 Bb2/8 F2/4 D3/4 |
        G2/4 r/8 G2/8 D3/4 Bb2/4  | C3/4 r/8 C3/8 G2/4 E2/4 |
        F2/4 r/8 F2/8 A2/4 C3/4   | Bb2/4 r/8 Bb2/8 D3/4 F2/4 |
        C3/4 r/8 C3/8 G2/4 E2/4   | F2/4 C3/4 F2/4 r/4
    """,
    "B": """
        D3/2 A2/4 F2/4            | A2/2 E2/4 G2/4 |
        Bb2/2 F2/4 D3/4           | F2/2 C3/4 A2/4 |
        G2/2 D3/4 Bb2/4           | D3/2 A2/4 F2/4 |
        G2/4 Bb2/4 C3/4 E3/4      | C3/4 r/8 C3/8 G2/4 E2/4
    """,
    "A''": """
        F2/4 r/8 F2/8 C3/4 A2/4   | Bb2/4 r/8 Bb2/8 F2/4 D3/4 |
        G2/4 r/8 G2/8 D3/4 Bb2/4  | C3/4 r/8 C3/8 G2/4 E2/4 |
        F2/4 r/8 F2/8 A2/4 C3/4   | Bb2/4 r/8 Bb2/8 D3/4 F2/4 |
        C3/4 r/8 C3/8 G2/4 E2/4   | F2/4 C3/4 F2/4 r/4
    """,
}

# Close voicings below the ocarina so the tune stays on top.
VOICINGS = {
    "F": ("A3", "C4", "F4"),
    "Bb": ("Bb3", "D4", "F4"),
    "Gm": ("Bb3", "D4", "G4"),
    "C": ("C4", "E4", "G4"),
    "C7": ("Bb3", "E4", "G4"),
    "Dm": ("A3", "D4", "F4"),
    "Am": ("A3", "C4", "E4"),
}

COMPING = {
    "A": ".x.x.x.x",
    "A'": ".x.x.x.x",
    "B": "01210121",
    "A''": ".x.x.x.x",
}

DRUM_BARS = {
    "walk": {
        KICK: "x... .... x... ....",
        SIDE_STICK: ".... x... .... x...",
        MARACAS: "o.x. o.x. o.x. o.x.",
        HIGH_WOOD_BLOCK: ".... ...x .... ..x.",
        LOW_WOOD_BLOCK: ".... .... ...x ....",
    },
    "walk, turn": {
        KICK: "x... .... x... ....",
        SIDE_STICK: ".... x... .... ....",
        MARACAS: "o.x. o.x. o.x. ....",
        HIGH_WOOD_BLOCK: ".... .... .... X.x.",
        LOW_WOOD_BLOCK: ".... .... .... .x.x",
    },
    "wander": {
        KICK: "x... .... ..x. ....",
        CLOSED_HAT: "..o. ..o. ..o. ..o.",
        HIGH_WOOD_BLOCK: ".... x... .... x...",
        LOW_WOOD_BLOCK: ".... ..x. .... ....",
    },
    "wander, back": {
        KICK: "x... .... x... ....",
        CLOSED_HAT: "..o. ..o. .... ....",
        HIGH_WOOD_BLOCK: ".... x... X.x. x.x.",
        LOW_WOOD_BLOCK: ".... .... .x.x .x.x",
    },
}

DRUMS = {
    "A": ["walk"] * 7 + ["walk, turn"],
    "A'": ["walk"] * 7 + ["walk, turn"],
    "B": ["wander"] * 7 + ["wander, back"],
    "A''": ["walk"] * 7 + ["walk, turn"],
}

FORM = ("A", "A'", "B", "A''")

# ---------------------------------------------------------------------------
# Mix: channel, program, volume (CC7), pan (CC10), reverb send (CC91).

MELODY_PART = {"name": "Ocarina", "channel": 0, "program": OCARINA,
               "volume": 108, "pan": 64, "reverb": 40}
COMPING_PART = {"name": "Marimba", "channel": 1, "program": MARIMBA,
                "volume": 100, "pan": 46, "reverb": 36}
BASS_PART = {"name": "Acoustic bass", "channel": 2, "program": ACOUSTIC_BASS,
             "volume": 100, "pan": 64, "reverb": 20}
DRUM_PART = {"name": "Percussion", "channel": 9, "program": 0,
             "volume": 78, "pan": 78, "reverb": 30}

# Loudness of a plain hit per drum; "X" and "o" lean on it.
DRUM_VELOCITY = {
    KICK: 72,
    SIDE_STICK: 50,
    CLOSED_HAT: 44,
    MARACAS: 48,
    HIGH_WOOD_BLOCK: 58,
    LOW_WOOD_BLOCK: 58,
}
DRUM_HIT_TICKS = TICKS_PER_QUARTER // 8

# ---------------------------------------------------------------------------
# Reading the note data

NOTE_PATTERN = re.compile(r"^(r|[A-G](?:b|#)?-?\d)/(1|2|4|8|16)(\.?)$")
PITCH_PATTERN = re.compile(r"^([A-G])(b|#)?(-?\d)$")
PITCH_CLASSES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def midi_key(name):
    """'C4' is middle C, key 60."""
    match = PITCH_PATTERN.match(name)
    if not match:
        raise ValueError(f"not a pitch: {name!r}")
    letter, accidental, octave = match.groups()
    key = 12 * (int(octave) + 1) + PITCH_CLASSES[letter]
    key += {"b": -1, "#": 1, None: 0}[accidental]
    if not 0 <= key <= 127:
        raise ValueError(f"pitch out of MIDI range: {name!r}")
    return key


def parse_bar(text, where):
    """Returns [(start tick within the bar, length in ticks, key or None)]."""
    notes = []
    tick = 0
    for token in text.split():
        match = NOTE_PATTERN.match(token)
        if not match:
            raise ValueError(f"{where}: not a note: {token!r}")
        pitch, divisor, dot = match.groups()
        length = TICKS_PER_BAR // int(divisor)
        if dot:
            length += length // 2
        notes.append((tick, length, None if pitch == "r" else midi_key(pitch)))
        tick += length
    if tick != TICKS_PER_BAR:
        raise ValueError(f"{where}: bar holds {tick} ticks, not {TICKS_PER_BAR}")
    return notes


def parse_section(text, where):
    return [parse_bar(bar, f"{where}, bar {number}")
            for number, bar in enumerate(text.split("|"), start=1)]


def parse_chords(text, where):
    bars = [bar.split() for bar in text.split("|")]
    for number, names in enumerate(bars, start=1):
        unknown = [name for name in names if name not in VOICINGS]
        if unknown or len(names) not in (1, 2):
            raise ValueError(f"{where}, bar {number}: bad chords {names!r}")
    return bars


def parse_drum_row(row, where):
    slots = row.replace(" ", "")
    if len(slots) != 16 or set(slots) - set(".xXo"):
        raise ValueError(f"{where}: a drum row is sixteen of '.xXo': {row!r}")
    return slots


# ---------------------------------------------------------------------------
# Turning the parts into timed notes: (start tick, end tick, key, velocity)


def melody_velocity(position):
    if position % TICKS_PER_BAR == 0:
        return 100
    if position % TICKS_PER_QUARTER == 0:
        return 92
    return 84


def melody_notes():
    notes = []
    bar_start = 0
    for section in FORM:
        for bar in parse_section(MELODY[section], f"melody {section}"):
            for start, length, key in bar:
                if key is not None:
                    # Short notes detached, long ones nearly legato.
                    gate = length * 3 // 4 if length <= TICKS_PER_QUARTER // 2 else length * 9 // 10
                    notes.append((bar_start + start, bar_start + start + gate, key,
                                  melody_velocity(start)))
            bar_start += TICKS_PER_BAR
    return notes


def bass_notes():
    notes = []
    bar_start = 0
    for section in FORM:
        for bar in parse_section(BASS[section], f"bass {section}"):
            for start, length, key in bar:
                if key is not None:
                    velocity = 88 if start % (TICKS_PER_BAR // 2) == 0 else 80
                    notes.append((bar_start + start, bar_start + start + length * 4 // 5, key,
                                  velocity))
            bar_start += TICKS_PER_BAR
    return notes


def comping_notes():
    eighth = TICKS_PER_QUARTER // 2
    notes = []
    bar_start = 0
    for section in FORM:
        pattern = COMPING[section]
        if len(pattern) != 8 or set(pattern) - set(".x012"):
            raise ValueError(f"comping {section}: eight of '.x012': {pattern!r}")
        for chords in parse_chords(CHORDS[section], f"chords {section}"):
            for slot, mark in enumerate(pattern):
                if mark == ".":
                    continue
                voicing = [midi_key(name) for name in VOICINGS[chords[slot * len(chords) // 8]]]
                keys = voicing if mark == "x" else [voicing[int(mark)]]
                start = bar_start + slot * eighth
                velocity = 62 if mark == "x" else 68
                notes.extend((start, start + eighth * 4 // 5, key, velocity) for key in keys)
            bar_start += TICKS_PER_BAR
    return notes


def drum_notes():
    sixteenth = TICKS_PER_QUARTER // 4
    notes = []
    bar_start = 0
    for section in FORM:
        for bar_name in DRUMS[section]:
            for key, row in DRUM_BARS[bar_name].items():
                slots = parse_drum_row(row, f"drums {bar_name!r}")
                for slot, mark in enumerate(slots):
                    if mark == ".":
                        continue
                    base = DRUM_VELOCITY[key]
                    velocity = {"x": base, "X": min(127, base * 5 // 4), "o": base * 2 // 3}[mark]
                    start = bar_start + slot * sixteenth
                    notes.append((start, start + DRUM_HIT_TICKS, key, velocity))
            bar_start += TICKS_PER_BAR
    return notes


def tune_length_ticks():
    """Every part must cover the same bars, or the loop would come apart."""
    bars = 0
    for section in FORM:
        counts = {
            "melody": len(parse_section(MELODY[section], f"melody {section}")),
            "bass": len(parse_section(BASS[section], f"bass {section}")),
            "chords": len(parse_chords(CHORDS[section], f"chords {section}")),
            "drums": len(DRUMS[section]),
        }
        if len(set(counts.values())) != 1:
            raise ValueError(f"section {section}: parts differ in bars: {counts}")
        bars += counts["melody"]
    return bars * TICKS_PER_BAR


# ---------------------------------------------------------------------------
# Standard MIDI File


def variable_length(value):
    groups = [value & 0x7F]
    value >>= 7
    while value:
        groups.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(groups))


def meta(kind, data):
    return bytes([0xFF, kind]) + variable_length(len(data)) + data


def track_chunk(events, end_tick):
    """events: [(tick, order, message bytes)]; channel messages use running
    status, which a meta event cancels."""
    body = bytearray()
    last_tick = 0
    running_status = None
    for tick, _, message in sorted(events, key=lambda event: (event[0], event[1], event[2])):
        body += variable_length(tick - last_tick)
        last_tick = tick
        status = message[0]
        if status < 0xF0:
            body += message[1:] if status == running_status else message
            running_status = status
        else:
            body += message
            running_status = None
    body += variable_length(end_tick - last_tick) + meta(0x2F, b"")
    return b"MTrk" + len(body).to_bytes(4, "big") + bytes(body)


def conductor_track(end_tick):
    tempo = 60_000_000 // BEATS_PER_MINUTE
    events = [
        (0, 0, meta(0x03, b"Munyura walk")),
        (0, 1, meta(0x51, tempo.to_bytes(3, "big"))),
        (0, 2, meta(0x58, bytes([BEATS_PER_BAR, 2, 24, 8]))),
        (0, 3, meta(0x59, bytes([(-KEY_FLATS) & 0xFF, 0]))),
    ]
    return track_chunk(events, end_tick)


def part_track(part, notes, end_tick):
    channel = part["channel"]
    events = [
        (0, 0, meta(0x03, part["name"].encode("ascii"))),
        (0, 1, bytes([0xC0 | channel, part["program"]])),
        (0, 2, bytes([0xB0 | channel, 7, part["volume"]])),
        (0, 3, bytes([0xB0 | channel, 10, part["pan"]])),
        (0, 4, bytes([0xB0 | channel, 91, part["reverb"]])),
    ]
    sounding = {}
    for start, end, key, velocity in sorted(notes):
        if not 0 <= start < end <= end_tick:
            raise ValueError(f"{part['name']}: note {key} at {start}-{end} is outside the tune")
        if sounding.get(key, 0) > start:
            raise ValueError(f"{part['name']}: key {key} struck again at {start} while sounding")
        sounding[key] = end
        # Note-offs sort before note-ons on the same tick so a repeated key is
        # released before it is struck again.
        events.append((start, 6, bytes([0x90 | channel, key, velocity])))
        events.append((end, 5, bytes([0x90 | channel, key, 0])))
    return track_chunk(events, end_tick)


def standard_midi_file():
    end_tick = tune_length_ticks()
    tracks = [
        conductor_track(end_tick),
        part_track(MELODY_PART, melody_notes(), end_tick),
        part_track(COMPING_PART, comping_notes(), end_tick),
        part_track(BASS_PART, bass_notes(), end_tick),
        part_track(DRUM_PART, drum_notes(), end_tick),
    ]
    header = (b"MThd" + (6).to_bytes(4, "big") + (1).to_bytes(2, "big")
              + len(tracks).to_bytes(2, "big") + TICKS_PER_QUARTER.to_bytes(2, "big"))
    return header + b"".join(tracks)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", type=pathlib.Path, default=DEFAULT_OUTPUT,
                        help="where to write the MIDI file (default: assets/bdmidi.mid)")
    arguments = parser.parse_args()
    data = standard_midi_file()
    arguments.output.write_bytes(data)
    seconds = tune_length_ticks() / TICKS_PER_QUARTER * 60 / BEATS_PER_MINUTE
    print(f"wrote {arguments.output} ({len(data)} bytes, {seconds:g} s)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
