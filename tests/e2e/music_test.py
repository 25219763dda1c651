#!/usr/bin/env python3
"""Listens to the real game: a copy of the binary and its tune in a folder
named with a space and Japanese, run on an X display with SDL's disk audio
driver, which writes what the sound card would play to a file in real time.
From its onset the capture must be a direct render of the tune sample for
sample, which it cannot if any tick restarted the tune. Then a table of odd
folders and of missing, broken and hostile tunes and soundfonts: each must
play or stay silent, say at most one line, and end at once.

Usage: music_test.py <path to munyura> <path to render_tune>"""

import ctypes
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import numpy

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from x_session import XDisplay, check, outcome  # noqa: E402

RATE = 44100
TUNE = os.path.join(os.path.dirname(os.path.dirname(HERE)), "assets", "bdmidi.mid")
SOUNDFONT = "/usr/share/sounds/sf2/default-GM.sf2"
LISTEN_SECONDS = 6.0
SDL_DISK_NOTICE = "CRITICAL: "  # SDL's own two lines about its disk driver
QUICK_EXIT = 5.0  # seconds; it takes well under one, but the machine may be busy


class GameCopy:
    """The game installed by hand in a folder of its own."""

    def __init__(self, scratch, binary):
        self.scratch, self.folder = scratch, os.path.join(scratch, "ゲーム フォルダ")
        os.makedirs(self.folder)
        shutil.copy2(binary, os.path.join(self.folder, "munyura"))
        self.capture = os.path.join(scratch, "captured.raw")

    @property
    def tune(self):
        return os.path.join(self.folder, "bdmidi.mid")

    def move(self, name):
        os.rename(self.folder, os.path.join(self.scratch, name))
        self.folder = os.path.join(self.scratch, name)

    def run(self, display, seconds, env, end=None, sound_seconds=0):
        """Runs the game for `seconds` after its window shows, and on until
        `sound_seconds` of sound are captured however slow the opening (30 s
        at most), then closes the window (or sends the signal `end`). Returns
        (status, None if it had not ended 10 s later; stderr lines; seconds
        shown; seconds to end)."""
        if os.path.exists(self.capture):
            os.remove(self.capture)
        env = dict(display.env, SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=self.capture) | env
        game = subprocess.Popen([os.path.join(self.folder, "munyura")], env=env,
                                stderr=subprocess.PIPE, text=True)
        try:
            window = display.find_window(game)
            shown = time.monotonic()
            time.sleep(seconds)
            while len(self.captured()) < 2 * RATE * sound_seconds and time.monotonic() < shown + 30:
                time.sleep(0.1)
            ending = time.monotonic()
            game.send_signal(end) if end else display.close_window(window)
            errors = game.communicate(timeout=10)[1]
            took = time.monotonic() - ending
        except (subprocess.TimeoutExpired, AssertionError) as failure:
            game.kill()
            if isinstance(failure, AssertionError):  # no window: say what the game said
                raise AssertionError("%s; it said: %s" % (failure, game.communicate()[1]))
            return None, game.communicate()[1].splitlines(), ending - shown, float("inf")
        lines = [line for line in errors.splitlines() if not line.startswith(SDL_DISK_NOTICE)]
        return game.returncode, lines, ending - shown, took

    def captured(self):
        if not os.path.exists(self.capture):
            return numpy.zeros(0, numpy.float32)
        return numpy.fromfile(self.capture, numpy.float32)


def from_onset(samples):
    """The sound from its first audible frame (before it, the output is
    silent for as long as the opening took)."""
    loud = numpy.flatnonzero(numpy.abs(samples) > 1e-4)
    return samples[loud[0] - loud[0] % 2:] if len(loud) else samples[:0]


def envelope(samples, window):
    """RMS of each `window` frames of interleaved stereo."""
    count = len(samples) // (2 * window)
    return numpy.sqrt(numpy.mean(samples[:count * 2 * window].reshape(count, -1) ** 2, axis=1))


def correlation(a, b):
    n = min(len(a), len(b))
    return float(numpy.corrcoef(a[:n], b[:n])[0, 1]) if n > 1 else 0.0


def best_lag(captured, reference, max_lag):
    """The shift of `captured` against `reference` (in envelope windows) at
    which they correlate best, and that correlation."""
    scores = {lag: correlation(captured[max(lag, 0):], reference[max(-lag, 0):])
              for lag in range(-max_lag, max_lag + 1)}
    lag = max(scores, key=scores.get)
    return lag, scores[lag]


def plays_the_tune(display, game, render_tune, scratch):
    shutil.copy2(TUNE, game.tune)
    status, errors, shown_for, _ = game.run(display, LISTEN_SECONDS, {}, None, LISTEN_SECONDS - 0.5)
    check(status == 0, "with its tune the game runs and exits cleanly (status %s)" % status)
    check(errors == [], "and says nothing on stderr %r" % errors)

    sound = game.captured()
    seconds = len(sound) / 2 / RATE
    # The disk driver writes in real time from the moment the sound starts,
    # so the capture's length tells when that was.
    started_after = shown_for - seconds
    print("      %.2f s captured in the %.2f s the window was shown: the sound started "
          "%.2f s after it appeared" % (seconds, shown_for, started_after))
    # How soon is measured, not judged: a busy machine may take longer.
    check(seconds > LISTEN_SECONDS - 1, "the capture covers the game's run")
    first_rms = float(numpy.sqrt(numpy.mean(sound[:RATE] ** 2)))
    check(first_rms > 0.01, "the first half second is not silent (RMS %.4f)" % first_rms)

    reference_path = os.path.join(scratch, "reference.raw")
    subprocess.run([render_tune, TUNE, "5", reference_path], check=True)
    reference = from_onset(numpy.fromfile(reference_path, numpy.float32))
    compared = from_onset(sound)[:2 * 4 * RATE]
    samples = correlation(compared, reference[:len(compared)])
    check(len(compared) == 2 * 4 * RATE and samples > 0.999,
          "from its onset, four seconds (%.2f s) are the tune's own render sample for sample "
          "(r = %.5f)" % (len(compared) / 2 / RATE, samples))


def stalled(path):
    """Makes every opening of `path` wait until the returned descriptor is
    closed, as on a network mount that stopped answering (fanotify, which
    needs CAP_SYS_ADMIN); None where the system will not."""
    open(path, "wb").close()
    libc = ctypes.CDLL(None, use_errno=True)
    libc.fanotify_mark.argtypes = [ctypes.c_int, ctypes.c_uint, ctypes.c_uint64, ctypes.c_int,
                                   ctypes.c_char_p]
    listener = libc.fanotify_init(0x4 | 0x1, os.O_RDONLY)  # FAN_CLASS_CONTENT | FAN_CLOEXEC
    if listener >= 0 and libc.fanotify_mark(listener, 0x1, 0x10000, -100, path.encode()) != 0:
        os.close(listener)  # 0x10000: FAN_OPEN_PERM
        listener = -1
    return listener if listener >= 0 else None


def notes_at_once():
    """2 MiB of notes at time 0, in running status: about 700,000 every 250 ms,
    if it were played."""
    events = numpy.zeros((((2 << 20) - 27) // 3, 3), numpy.uint8)
    events[:, 1], events[:, 2] = numpy.arange(len(events)) % 128, 100
    body = b"\x00\x90" + events.tobytes()[1:] + b"\x00\xff\x2f\x00"
    return b"MThd\0\0\0\6\0\0\0\1\1\xe0MTrk" + len(body).to_bytes(4, "big") + body


def survives_odd_folders_and_hostile_files(display, game, scratch):
    """Each row: the folder the game lies in, what takes the place of its tune
    or soundfont, how the game is ended, how many lines it says, and whether
    it plays. Every row must exit with 0 within QUICK_EXIT seconds."""
    soundfont = os.path.join(scratch, "soundfont.sf2")
    with open(SOUNDFONT, "rb") as f:
        real = f.read()
    with open(TUNE, "rb") as f:
        tune = f.read()
    noise = random.Random(5).randbytes(8192)

    def write(data):
        return lambda path: open(path, "wb").write(data)

    def link_loop(path):
        os.symlink(path + ".other", path)
        os.symlink(path, path + ".other")

    no_card = {"SDL_AUDIODRIVER": "alsa", "AUDIODEV": "munyura-no-such-card"}
    rows = [  # name, folder, tune, soundfont (each made at a path), env, ending, lines, plays
        ("folder with a backslash", "back\\slash", None, None, {}, None, 0, True),
        ("folder with a quote", 'say "hi"', None, None, {}, None, 0, True),
        ("no sound card", None, None, None, no_card, None, 1, False),
        ("tune missing", None, lambda path: None, None, {}, None, 1, False),
        ("tune is a folder", None, os.mkdir, None, {}, None, 1, False),
        ("tune is a pipe", None, os.mkfifo, None, {}, None, 1, False),
        ("tune empty", None, write(b""), None, {}, None, 1, False),
        ("tune truncated", None, write(tune[:len(tune) // 2]), None, {}, None, 1, False),
        ("tune is noise", None, write(noise), None, {}, None, 1, False),
        ("tune of 100 MB", None, lambda path: open(path, "wb").truncate(100 << 20), None, {}, None,
         1, False),
        ("tune is a link loop", None, link_loop, None, {}, None, 1, False),
        ("tune stalls", None, stalled, None, {}, None, 0, False),
        ("2 MiB of notes at once", None, write(notes_at_once()), None, {}, None, 1, False),
        ("soundfont is a pipe", None, None, os.mkfifo, {}, None, 1, False),
        ("soundfont is a pipe", None, None, os.mkfifo, {}, signal.SIGTERM, 1, False),
        ("soundfont stalls", None, None, stalled, {}, None, 0, False),
        ("soundfont stalls", None, None, stalled, {}, signal.SIGTERM, 0, False),
        ("soundfont stalls", None, None, stalled, {}, signal.SIGINT, 0, False),
        ("soundfont is noise", None, None, write(noise), {}, None, 1, False),
        ("soundfont broken inside", None, None, write(real[:12] + bytes(len(real) - 12)), {},
         None, 1, False),
    ]
    print("      %-24s %-8s %-7s %-6s %-6s %s" % ("case", "ended by", "outcome", "lines",
                                                "status", "seconds to end"))
    for name, folder, make_tune, make_soundfont, env, end, lines, plays in rows:
        game.move(folder or "ゲーム フォルダ")
        for leftover in (game.tune, game.tune + ".other", soundfont):
            if os.path.isdir(leftover) and not os.path.islink(leftover):
                os.rmdir(leftover)
            elif os.path.lexists(leftover):
                os.remove(leftover)
        listener = make_tune(game.tune) if make_tune else shutil.copy2(TUNE, game.tune) and None
        listener = make_soundfont(soundfont) if make_soundfont else listener
        if "stalls" in name and not isinstance(listener, int):
            print("skip  %s: fanotify is not available here" % name)
            continue
        if "stalls" in name:
            # LeakSanitizer stops every thread with ptrace before it looks, and
            # a thread held by fanotify cannot be stopped: in the sanitizer
            # build, the exit would wait on the check, not on the game.
            env = {"ASAN_OPTIONS": "detect_leaks=0:abort_on_error=1"} | env
        try:
            env = {"MUNYURA_SOUNDFONT": soundfont if make_soundfont else SOUNDFONT} | env
            status, errors, _, took = game.run(display, 1.5, env, end)
        finally:
            if "stalls" in name:
                os.close(listener)
        sound = float(numpy.max(numpy.abs(game.captured()), initial=0))
        check(status == 0 and len(errors) == lines and (sound > 0.01) == plays and
              all(line.startswith("ムニュラ: ") for line in errors) and
              (plays or sound == 0) and took < QUICK_EXIT,
              "%-24s %-8s %-7s %-6d %-6s %.2f %r"
              % (name, signal.Signals(end).name if end else "close",
                 "plays" if sound > 0.01 else "silent" if sound == 0 else "noise",
                 len(errors), status, took, errors))


def main(binary, render_tune):
    display = XDisplay()
    try:
        with tempfile.TemporaryDirectory() as scratch:
            game = GameCopy(scratch, binary)
            plays_the_tune(display, game, render_tune, scratch)
            survives_odd_folders_and_hostile_files(display, game, scratch)
    finally:
        display.close()
    return outcome()


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
