#!/usr/bin/env python3
"""The game copied into a folder named with a space and Japanese, on a desktop of its own
(Xvfb large enough for zoom 3, openbox), with real key presses: its tune is the direct render
sample for sample, which it cannot be if a tick restarted it; zoom shows the same picture by
whole pixels, clicks land where things are seen, fullscreen centres the game, Alt+Enter leaves
the title screen alone, M silences the tune and back, and all of it is remembered.
Usage: zoom_test.py <path to munyura> <path to render_tune>"""

import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time

import numpy

from x_session import RATE, TUNE, XDisplay, check, heard, outcome

SCREEN = (2048, 1280)
GREEN, RED, SURROUND = (0, 255, 0), (255, 0, 0), (32, 32, 32)
LABEL2 = (568, 0, 53, 15)  # ﾊﾂﾞﾒｶﾗ: text, drawn afresh at each scale
TICK = 0.06


def wait_for_size(display, window, size):
    deadline = time.monotonic() + 10
    while display.window_size(window) != size and time.monotonic() < deadline:
        time.sleep(0.1)
    time.sleep(5 * TICK)  # and a frame drawn at it
    return display.window_size(window)


def scaled_differences(small, big, scale):
    """Pixels outside the text that differ between `small` scaled by whole pixels and `big`."""
    small, big = (numpy.frombuffer(shot.rgb, numpy.uint8).reshape(shot.height, shot.width, 3)
                  for shot in (small, big))
    differ = (small.repeat(scale, 0).repeat(scale, 1) != big).any(axis=2)
    lx, ly, lw, lh = LABEL2
    differ[ly * scale:(ly + lh) * scale, lx * scale:(lx + lw) * scale] = False
    return int(differ.sum())


def shows_title(screen, scale=1, left=0, top=0):
    band = sum(screen.at(left + scale * x, top + scale * y) == GREEN
               for x in range(0, 617, 10) for y in range(250, 377, 10))
    button = sum(screen.at(left + scale * x, top + scale * y) == RED
                 for x in range(0, 621, 5) for y in range(130, 176, 5))
    return band > 700 and button > 10


def sound(capture, first_frame=0):
    """The capture's stereo frames from `first_frame` on, once it holds two
    seconds more (a loaded machine may write it slower than real time)."""
    deadline = time.monotonic() + 60
    while os.path.getsize(capture) < 8 * (first_frame + 2 * RATE) and time.monotonic() < deadline:
        time.sleep(0.1)
    return numpy.fromfile(capture, numpy.float32, offset=8 * first_frame)


def from_onset(samples):
    loud = numpy.flatnonzero(samples)
    return samples[loud[0] - loud[0] % 2:] if len(loud) else samples[:0]


def play(display, window, capture, reference):
    shown = time.monotonic()
    display.focus(window)
    time.sleep(10 * TICK)
    zoom1 = []
    steps = [  # key, window size after it, what must be seen then
        # On the first title screen, where Enter would press the start button:
        # fullscreen, still the title screen, at scale 3 centred on a quiet surround.
        ("alt+Return", SCREEN, lambda shot: shows_title(shot, 3, 92, 70) and {
            shot.at(0, 0), shot.at(SCREEN[0] - 1, SCREEN[1] - 1), shot.at(91, 69)} == {SURROUND}),
        ("alt+Return", (621, 380), shows_title),
        ("space", (621, 380), lambda shot: shot.count(GREEN) == 0 == shot.count(RED)),
        ("ctrl+plus", (1242, 760), lambda shot: scaled_differences(zoom1[0], shot, 2) == 0),
        ("ctrl+plus", (1863, 1140), lambda shot: scaled_differences(zoom1[0], shot, 3) == 0),
    ]
    for key, size, looks_right in steps:
        display.key(key)
        got = wait_for_size(display, window, size)
        shot = display.screenshot(window)
        zoom1 += [shot] if key == "space" else []
        check(got == size and looks_right(shot),
              "%s: a %d x %d window (%d x %d wanted), looking right" % ((key,) + got + size), shot)

    # How soon the sound starts is measured, not judged: the machine may be busy.
    captured = sound(capture)
    started = time.monotonic() - shown - len(captured) / 2 / RATE
    tune = from_onset(captured)[:len(reference)]
    check(len(tune) > 2 * RATE and len(captured) - len(from_onset(captured)) < RATE and
          numpy.array_equal(tune, reference[:len(tune)]),
          "from its onset, %.2f s after the window appeared and in the capture's first half "
          "second, %.2f s are the tune's own render sample for sample"
          % (started, len(tune) / 2 / RATE))

    # M: silent, the tune going on meanwhile (the player's test checks its place), and back.
    pressed_at = len(captured) // 2
    display.key("m")
    muted = numpy.abs(sound(capture, pressed_at)).reshape(-1, 2).max(axis=1)
    quiet_from = int(numpy.flatnonzero(muted).max(initial=-1)) + 1
    check(display.window_name(window) == "ムニュラ (muted)" and len(muted) - quiet_from > RATE,
          "M shows the mute in the title, and the capture falls silent %d ms of sound after the "
          "key for %d ms" % (1000 * quiet_from // RATE, 1000 * (len(muted) - quiet_from) // RATE))
    display.key("m")
    loudest = float(numpy.max(numpy.abs(sound(capture, pressed_at + len(muted)))))
    check(display.window_name(window) == "ムニュラ" and loudest > 0.05,
          "M again: the title is plain again and the tune is heard (peak %.2f)" % loudest)

    display.click(window, 3 * 594 + 1, 3 * 7 + 1)
    time.sleep(5 * TICK)
    again = display.screenshot(window)
    check(shows_title(again, 3), "a click on ﾊﾂﾞﾒｶﾗ where it is seen at zoom 3 restarts", again)


def main(binary, render_tune):
    with XDisplay(size="%dx%d" % SCREEN, private=True) as display, \
            tempfile.TemporaryDirectory() as scratch:
        display.start_window_manager()
        folder = pathlib.Path(scratch, "ゲーム フォルダ")
        folder.mkdir()
        game = shutil.copy2(binary, folder)
        shutil.copy2(TUNE, folder)
        reference = os.path.join(scratch, "reference.raw")
        subprocess.run([render_tune, TUNE, "60", reference], check=True)
        reference = from_onset(numpy.fromfile(reference, numpy.float32))
        capture = os.path.join(scratch, "captured.raw")
        env = {"XDG_CONFIG_HOME": os.path.join(scratch, "config")}  # made by the game's first save
        status, said, *_ = heard(display, [game], capture, env, 0,
                                 look=lambda window: play(display, window, capture, reference))
        check(status == 0 and said == [],
              f"closed, it ends with 0 ({status}), having said nothing on stderr: {said}")
        # Started again as remembered (zoom 3, windowed, unmuted), an option overriding it once.
        for arguments, size in (([], (1863, 1140)), (["--zoom", "1"], (621, 380)),
                                (["--fullscreen"], SCREEN)):
            *_, (got, title) = heard(display, [game] + arguments, capture, env, 0, look=lambda w: (
                wait_for_size(display, w, size), display.window_name(w)))
            check(got == size and title == "ムニュラ", "started with %r: a %d x %d window "
                  "titled %s" % ((arguments,) + got + (title,)))
    return outcome()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
