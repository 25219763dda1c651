#!/usr/bin/env python3
"""Listens to the real game: a copy of the binary and its tune in a folder
whose name has a space and Japanese in it, run on an X display with SDL's
disk audio driver, which writes what the sound card would play to a file in
real time. The capture must sound within half a second of the window
appearing, and from its onset match a direct render of the tune sample for
sample, which it cannot if the tune restarted on any of the game's ticks.
Folders named with a backslash or a quote play too. Missing, broken and
hostile tunes and soundfonts, and a missing sound card, must leave the game
running, silent, brief about it, and quick to end when closed or signalled.

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
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)

from x_session import XDisplay  # noqa: E402

RATE = 44100
TUNE = os.path.join(ROOT, "assets", "bdmidi.mid")
SOUNDFONT = "/usr/share/sounds/sf2/default-GM.sf2"
LISTEN_SECONDS = 6.0
SDL_DISK_NOTICE = "CRITICAL: "  # SDL's own two lines about its disk driver
QUICK_EXIT = 3.0  # seconds; it takes well under one, but the machine may be busy

failures = []


def check(condition, what):
    print(("ok    " if condition else "FAIL  ") + what, flush=True)
    if not condition:
        failures.append(what)


class GameCopy:
    """The game installed by hand in a folder of its own."""

    def __init__(self, scratch, binary, folder="ゲーム フォルダ"):
        self.folder = os.path.join(scratch, folder)
        os.makedirs(self.folder)
        self.binary = os.path.join(self.folder, "munyura")
        shutil.copy2(binary, self.binary)
        self.tune = os.path.join(self.folder, "bdmidi.mid")
        self.capture = os.path.join(scratch, "captured.raw")

    def run(self, display, seconds, env=None, end=None):
        """Runs the game for `seconds` after its window shows, then closes the
        window (or sends it the signal `end`). Returns (status, or None if it
        had not ended 10 s later; stderr lines; seconds shown; seconds it took
        to end)."""
        if os.path.exists(self.capture):
            os.remove(self.capture)
        env = dict(display.env, SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=self.capture) | (env or {})
        game = subprocess.Popen([self.binary], env=env, stderr=subprocess.PIPE, text=True)
        try:
            try:
                window = display.find_window(game)
            except AssertionError as failure:
                game.kill()
                raise AssertionError("%s; it said: %s" % (failure, game.communicate()[1]))
            shown = time.monotonic()
            time.sleep(seconds)
            ending = time.monotonic()
            if end:
                game.send_signal(end)
            else:
                display.close_window(window)
            try:
                _, errors = game.communicate(timeout=10)
            except subprocess.TimeoutExpired:
                game.kill()
                _, errors = game.communicate()
                return None, errors.splitlines(), ending - shown, float("inf")
            took = time.monotonic() - ending
        finally:
            if game.poll() is None:
                game.kill()
                game.wait()
        lines = [line for line in errors.splitlines() if not line.startswith(SDL_DISK_NOTICE)]
        return game.returncode, lines, ending - shown, took

    def captured(self):
        if not os.path.exists(self.capture):
            return numpy.zeros(0, numpy.float32)
        return numpy.fromfile(self.capture, numpy.float32)


def sox_rms(path, start, length):
    """The RMS amplitude of a stretch of a raw float stereo capture, as sox
    measures it."""
    report = subprocess.run(["sox", "-t", "f32", "-r", str(RATE), "-c", "2", path, "-n",
                             "trim", str(start), str(length), "stat"],
                            check=True, capture_output=True, text=True).stderr
    for line in report.splitlines():
        if line.startswith("RMS     amplitude:"):
            return float(line.split(":")[1])
    raise AssertionError("sox gave no RMS amplitude:\n" + report)


def from_onset(samples):
    """The sound from its first audible sample on (the output starts with a
    silence as long as the opening took)."""
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
    scores = [(correlation(captured[lag:], reference), lag) for lag in range(max_lag + 1)]
    scores += [(correlation(captured, reference[lag:]), -lag) for lag in range(1, max_lag + 1)]
    score, lag = max(scores)
    return lag, score


def plays_the_tune(display, game, render_tune, scratch):
    shutil.copy2(TUNE, game.tune)
    status, errors, shown_for, _ = game.run(display, LISTEN_SECONDS)
    check(status == 0, "with its tune the game runs and exits cleanly (status %s)" % status)
    check(errors == [], "and says nothing on stderr %r" % errors)

    sound = game.captured()
    seconds = len(sound) / 2 / RATE
    # The disk driver writes in real time from the moment the sound starts,
    # so the capture's length tells when that was.
    started_after = shown_for - seconds
    print("      %.2f s captured in the %.2f s the window was shown: the sound started "
          "%.2f s after it appeared" % (seconds, shown_for, started_after))
    check(seconds > LISTEN_SECONDS - 1, "the capture covers the game's run")
    check(started_after < 0.5, "the sound started within half a second of the window")
    first_rms = sox_rms(game.capture, 0, 0.5)
    check(first_rms > 0.01, "the first half second is not silent (sox RMS %.4f)" % first_rms)

    reference_path = os.path.join(scratch, "reference.raw")
    subprocess.run([render_tune, TUNE, "5", reference_path], check=True)
    reference = from_onset(numpy.fromfile(reference_path, numpy.float32))
    compared = from_onset(sound)[:2 * 4 * RATE]
    if len(compared) < 2 * 4 * RATE:
        check(False, "four seconds of sound to compare with the tune's own render")
        return
    lag, score = best_lag(envelope(compared, 441), envelope(reference[:2 * 4 * RATE], 441), 50)
    check(lag == 0 and score > 0.99,
          "from its onset, four seconds follow the tune's own render: best at %d ms, r = %.4f"
          % (10 * lag, score))
    samples = correlation(compared, reference[:len(compared)])
    check(samples > 0.999, "sample for sample too (r = %.5f)" % samples)


def plays_in_oddly_named_folders(display, binary, scratch):
    """Only the separator before bdmidi.mid is the game's: a backslash or a
    quote in a folder's name is part of the name."""
    for name in ("back\\slash", 'say "hi"'):
        game = GameCopy(os.path.join(scratch, "odd"), binary, name)
        shutil.copy2(TUNE, game.tune)
        status, errors, _, _ = game.run(display, 1.5)
        loudest = float(numpy.max(numpy.abs(game.captured()), initial=0))
        check(status == 0 and errors == [] and loudest > 0.01,
              "in a folder named %-10s: exits with %s, plays (peak %.3f), says %r"
              % (name, status, loudest, errors))
        shutil.rmtree(os.path.join(scratch, "odd"))


def bad_tunes():
    """Each puts something other than a tune where the tune should be."""
    def missing(path):
        pass

    def folder(path):
        os.mkdir(path)

    def pipe(path):
        os.mkfifo(path)

    def empty(path):
        open(path, "wb").close()

    def truncated(path):
        with open(TUNE, "rb") as f:
            data = f.read()
        with open(path, "wb") as f:
            f.write(data[:len(data) // 2])

    def noise(path):
        with open(path, "wb") as f:
            f.write(random.Random(5).randbytes(8192))

    def huge(path):
        with open(path, "wb") as f:
            f.truncate(100 * 1024 * 1024)

    def link_loop(path):
        os.symlink(path + ".other", path)
        os.symlink(path, path + ".other")

    return [missing, folder, pipe, empty, truncated, noise, huge, link_loop]


def clear(game):
    for leftover in (game.tune, game.tune + ".other"):
        if os.path.isdir(leftover) and not os.path.islink(leftover):
            os.rmdir(leftover)
        elif os.path.lexists(leftover):
            os.remove(leftover)


def stays_silent_without_a_tune(display, game):
    for make in bad_tunes():
        clear(game)
        make(game.tune)
        status, errors, _, _ = game.run(display, 1.5)
        loudest = float(numpy.max(numpy.abs(game.captured()), initial=0))
        check(status == 0 and len(errors) <= 1 and loudest == 0.0,
              "%-9s: runs, exits with %s, silent (peak %.3f), says %r"
              % (make.__name__, status, loudest, errors))


def stays_quiet_without_a_sound_card(display, game):
    """ALSA on its own prints a screenful when it finds no card; the game
    says one line instead."""
    shutil.copy2(TUNE, game.tune)
    status, errors, _, _ = game.run(display, 1.5, {"SDL_AUDIODRIVER": "alsa",
                                                   "AUDIODEV": "munyura-no-such-card"})
    check(status == 0 and len(errors) == 1 and errors[0].startswith("ムニュラ: no music: "),
          "without a sound card: runs, exits with %s, says %r" % (status, errors))


def stalled(path):
    """Makes every opening of `path` wait until the returned descriptor is
    closed, as on a network mount that stopped answering (fanotify, which
    needs CAP_SYS_ADMIN); None where the system will not."""
    open(path, "wb").close()
    libc = ctypes.CDLL(None, use_errno=True)
    libc.fanotify_mark.argtypes = [ctypes.c_int, ctypes.c_uint, ctypes.c_uint64, ctypes.c_int,
                                   ctypes.c_char_p]
    listener = libc.fanotify_init(0x4 | 0x1, os.O_RDONLY)  # FAN_CLASS_CONTENT | FAN_CLOEXEC
    if listener < 0:
        return None
    if libc.fanotify_mark(listener, 0x1, 0x10000, -100, path.encode()) != 0:  # FAN_OPEN_PERM
        os.close(listener)
        return None
    return listener


def hostile_tune(path):
    """2 MiB of notes at time 0, in running status: about 700,000 every 250 ms,
    if it were played."""
    events = numpy.zeros((((2 << 20) - 27) // 3, 3), numpy.uint8)
    events[:, 1], events[:, 2] = numpy.arange(len(events)) % 128, 100
    body = b"\x00\x90" + events.tobytes()[1:] + b"\x00\xff\x2f\x00"
    with open(path, "wb") as f:
        f.write(b"MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xe0MTrk" + len(body).to_bytes(4, "big")
                + body)


def survives_hostile_files(display, game, scratch):
    """Each row: what is put in place, how the game is ended, and what it must
    say (lines on stderr). Every row must stay silent, exit with 0, and end
    within QUICK_EXIT seconds."""
    soundfont = os.path.join(scratch, "soundfont.sf2")
    with open(SOUNDFONT, "rb") as f:
        real = f.read()

    def pipe():
        os.mkfifo(soundfont)

    def noise():
        with open(soundfont, "wb") as f:
            f.write(random.Random(5).randbytes(len(real)))

    def broken_inside():
        with open(soundfont, "wb") as f:
            f.write(real[:12] + random.Random(5).randbytes(len(real) - 12))

    rows = [  # name, setup (may return a descriptor to close afterwards), ending, lines
        ("soundfont is a pipe", pipe, None, 1),
        ("soundfont is a pipe", pipe, signal.SIGTERM, 1),
        ("soundfont stalls", lambda: stalled(soundfont), None, 0),
        ("soundfont stalls", lambda: stalled(soundfont), signal.SIGTERM, 0),
        ("soundfont stalls", lambda: stalled(soundfont), signal.SIGINT, 0),
        ("tune stalls", lambda: stalled(game.tune), None, 0),
        ("soundfont is noise", noise, None, 1),
        ("soundfont broken inside", broken_inside, None, 1),
        ("2 MiB of notes at once", lambda: hostile_tune(game.tune), None, 1),
    ]
    print("      %-24s %-8s %-8s %-6s %-6s %s" % ("case", "ended by", "outcome", "lines",
                                                 "status", "seconds to end"))
    for name, setup, end, lines in rows:
        clear(game)
        if os.path.lexists(soundfont):
            os.remove(soundfont)
        shutil.copy2(TUNE, game.tune)
        listener = setup()
        if "stalls" in name and listener is None:
            print("skip  %s: fanotify is not available here" % name)
            continue
        try:
            chosen = soundfont if os.path.lexists(soundfont) else SOUNDFONT
            status, errors, _, took = game.run(display, 1.5, {"MUNYURA_SOUNDFONT": chosen}, end)
        finally:
            if listener is not None:
                os.close(listener)
        loudest = float(numpy.max(numpy.abs(game.captured()), initial=0))
        ending = signal.Signals(end).name if end else "close"
        check(status == 0 and len(errors) == lines and loudest == 0.0 and took < QUICK_EXIT,
              "%-24s %-8s %-8s %-6d %-6s %.2f %r"
              % (name, ending, "silent" if loudest == 0.0 else "SOUND", len(errors), status,
                 took, errors))


def main(binary, render_tune):
    display = XDisplay()
    try:
        with tempfile.TemporaryDirectory() as scratch:
            game = GameCopy(scratch, binary)
            plays_the_tune(display, game, render_tune, scratch)
            plays_in_oddly_named_folders(display, binary, scratch)
            stays_quiet_without_a_sound_card(display, game)
            stays_silent_without_a_tune(display, game)
            survives_hostile_files(display, game, scratch)
    finally:
        display.close()
    if failures:
        print("%d check(s) failed" % len(failures))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
