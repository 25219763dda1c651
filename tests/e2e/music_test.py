#!/usr/bin/env python3
"""Listens to the real game: a copy of the binary and its tune in a folder
whose name has a space and Japanese in it, run on an X display with SDL's
disk audio driver, which writes what the sound card would play to a file in
real time. The capture must sound within half a second of the window
appearing, and match a direct render of the tune sample for sample, which it
cannot if the tune restarted on any of the game's ticks. Missing and broken
tunes, and a missing sound card, must leave the game running, silent, and
brief about it.

Usage: music_test.py <path to munyura> <path to render_tune>"""

import array
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)

from x_session import XDisplay  # noqa: E402

RATE = 44100
TUNE = os.path.join(ROOT, "assets", "bdmidi.mid")
LISTEN_SECONDS = 6.0
SDL_DISK_NOTICE = "CRITICAL: "  # SDL's own two lines about its disk driver

failures = []


def check(condition, what):
    print(("ok    " if condition else "FAIL  ") + what, flush=True)
    if not condition:
        failures.append(what)


class GameCopy:
    """The game installed by hand in a folder of its own."""

    def __init__(self, scratch, binary):
        self.folder = os.path.join(scratch, "ゲーム フォルダ")
        os.makedirs(self.folder)
        self.binary = os.path.join(self.folder, "munyura")
        shutil.copy2(binary, self.binary)
        self.tune = os.path.join(self.folder, "bdmidi.mid")
        self.capture = os.path.join(scratch, "captured.raw")

    def run(self, display, seconds, audio=None):
        """Runs the game on the title screen for `seconds` after its window
        shows, closes the window, and returns (status, stderr lines, the
        seconds from the window's showing to its closing)."""
        if os.path.exists(self.capture):
            os.remove(self.capture)
        env = dict(display.env, **(audio or {"SDL_AUDIODRIVER": "disk",
                                              "SDL_DISKAUDIOFILE": self.capture}))
        game = subprocess.Popen([self.binary], env=env, stderr=subprocess.PIPE, text=True)
        try:
            try:
                window = display.find_window(game)
            except AssertionError as failure:
                game.kill()
                raise AssertionError("%s; it said: %s" % (failure, game.communicate()[1]))
            shown = time.monotonic()
            time.sleep(seconds)
            display.close_window(window)
            closed = time.monotonic()
            _, errors = game.communicate(timeout=20)
        finally:
            if game.poll() is None:
                game.kill()
                game.wait()
        lines = [line for line in errors.splitlines() if not line.startswith(SDL_DISK_NOTICE)]
        return game.returncode, lines, closed - shown

    def captured(self):
        if not os.path.exists(self.capture):
            return array.array("f")
        samples = array.array("f")
        with open(self.capture, "rb") as f:
            data = f.read()
        samples.frombytes(data[:len(data) // 4 * 4])
        return samples


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


def envelope(samples, window):
    """RMS of each `window` frames of interleaved stereo."""
    values = []
    for at in range(0, len(samples) - 2 * window + 1, 2 * window):
        part = samples[at:at + 2 * window]
        values.append((sum(s * s for s in part) / len(part)) ** 0.5)
    return values


def correlation(a, b):
    n = min(len(a), len(b))
    a, b = a[:n], b[:n]
    mean_a, mean_b = sum(a) / n, sum(b) / n
    cov = sum((x - mean_a) * (y - mean_b) for x, y in zip(a, b))
    var_a = sum((x - mean_a) ** 2 for x in a)
    var_b = sum((y - mean_b) ** 2 for y in b)
    return cov / (var_a * var_b) ** 0.5 if var_a and var_b else 0.0


def best_lag(captured, reference, max_lag):
    """The shift of `captured` against `reference` (in envelope windows) at
    which they correlate best, and that correlation."""
    scores = [(correlation(captured[lag:], reference), lag) for lag in range(max_lag + 1)]
    scores += [(correlation(captured, reference[lag:]), -lag) for lag in range(1, max_lag + 1)]
    score, lag = max(scores)
    return lag, score


def plays_the_tune(display, game, render_tune, scratch):
    shutil.copy2(TUNE, game.tune)
    status, errors, shown_for = game.run(display, LISTEN_SECONDS)
    check(status == 0, "with its tune the game runs and exits cleanly (status %d)" % status)
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
    reference = array.array("f")
    with open(reference_path, "rb") as f:
        reference.frombytes(f.read())
    compared = sound[:2 * 4 * RATE]
    if len(compared) < 2 * 4 * RATE:
        check(False, "four seconds of sound to compare with the tune's own render")
        return
    lag, score = best_lag(envelope(compared, 441), envelope(reference[:2 * 4 * RATE], 441), 50)
    check(lag == 0 and score > 0.99,
          "the first four seconds follow the tune's own render: best at %d ms, r = %.4f"
          % (10 * lag, score))
    samples = correlation(compared, reference[:len(compared)])
    check(samples > 0.999, "sample for sample too (r = %.5f)" % samples)


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


def stays_silent_without_a_tune(display, game):
    for make in bad_tunes():
        for leftover in (game.tune, game.tune + ".other"):
            if os.path.isdir(leftover) and not os.path.islink(leftover):
                os.rmdir(leftover)
            elif os.path.lexists(leftover):
                os.remove(leftover)
        make(game.tune)
        status, errors, _ = game.run(display, 1.5)
        sound = game.captured()
        loudest = max((abs(s) for s in sound), default=0.0)
        check(status == 0 and len(errors) <= 1 and loudest == 0.0,
              "%-9s: runs, exits with %d, silent (peak %.3f), says %r"
              % (make.__name__, status, loudest, errors))


def stays_quiet_without_a_sound_card(display, game):
    """ALSA on its own prints a screenful when it finds no card; the game
    says one line instead."""
    shutil.copy2(TUNE, game.tune)
    status, errors, _ = game.run(display, 1.5, {"SDL_AUDIODRIVER": "alsa",
                                                 "AUDIODEV": "munyura-no-such-card"})
    check(status == 0 and len(errors) == 1 and errors[0].startswith("ムニュラ: no music: "),
          "without a sound card: runs, exits with %d, says %r" % (status, errors))


def main(binary, render_tune):
    display = XDisplay()
    try:
        with tempfile.TemporaryDirectory() as scratch:
            game = GameCopy(scratch, binary)
            plays_the_tune(display, game, render_tune, scratch)
            stays_quiet_without_a_sound_card(display, game)
            stays_silent_without_a_tune(display, game)
    finally:
        display.close()
    if failures:
        print("%d check(s) failed" % len(failures))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
