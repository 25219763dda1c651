#!/usr/bin/env python3
"""Copies of the game, each in a folder of its own, listened to through SDL's disk audio
driver: in odd folders, and with missing, broken and hostile tunes and soundfonts, each must
play or stay silent, say one line at most, and end at once. Usage: music_test.py <munyura>"""

import collections
import ctypes
import os
import pathlib
import random
import shutil
import signal
import sys
import tempfile

import numpy

from x_session import TUNE, XDisplay, check, heard, outcome

SOUNDFONT = "/usr/share/sounds/sf2/default-GM.sf2"
QUICK_EXIT = 5.0  # seconds; it takes well under one, but the machine may be busy
# Tune and soundfont made at their paths (None: the real ones), the signal to end (None: closed).
Case = collections.namedtuple("Case", "name tune soundfont folder env end lines plays",
                              defaults=(None, None, None, {}, None, 1, False))


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


def main(binary):
    real, tune = pathlib.Path(SOUNDFONT).read_bytes(), pathlib.Path(TUNE).read_bytes()
    noise = random.Random(5).randbytes(8192)

    def write(data):
        return lambda path: open(path, "wb").write(data)

    def link_loop(path):
        os.symlink(path + ".other", path)
        os.symlink(path, path + ".other")

    rows = [
        Case("folder with a backslash", folder="back\\slash", lines=0, plays=True),
        Case("folder with a quote", folder='say "hi"', lines=0, plays=True),
        Case("no sound card", env={"SDL_AUDIODRIVER": "alsa", "AUDIODEV": "munyura-no-such-card"}),
        Case("tune missing", lambda path: None),
        Case("tune is a folder", os.mkdir),
        Case("tune is a pipe", os.mkfifo),
        Case("tune empty", write(b"")),
        Case("tune truncated", write(tune[:len(tune) // 2])),
        Case("tune is noise", write(noise)),
        Case("tune of 100 MB", lambda path: open(path, "wb").truncate(100 << 20)),
        Case("tune is a link loop", link_loop),
        Case("tune stalls", stalled, lines=0),
        Case("2 MiB of notes at once", write(notes_at_once())),
        Case("soundfont is a pipe", soundfont=os.mkfifo),
        Case("soundfont is a pipe", soundfont=os.mkfifo, end=signal.SIGTERM),
        Case("soundfont stalls", soundfont=stalled, lines=0),
        Case("soundfont stalls", soundfont=stalled, lines=0, end=signal.SIGTERM),
        Case("soundfont stalls", soundfont=stalled, lines=0, end=signal.SIGINT),
        Case("soundfont is noise", soundfont=write(noise)),
        Case("soundfont broken inside", soundfont=write(real[:12] + bytes(len(real) - 12))),
    ]
    with XDisplay() as display, tempfile.TemporaryDirectory() as scratch:
        for number, (name, make_tune, make_soundfont, folder, env, end, lines, plays) in \
                enumerate(rows):
            home = os.path.join(scratch, str(number))
            beside = os.path.join(home, folder or "ゲーム フォルダ")
            os.makedirs(beside)
            game, tune = shutil.copy2(binary, beside), os.path.join(beside, "bdmidi.mid")
            soundfont = os.path.join(home, "soundfont.sf2")
            listener = make_tune(tune) if make_tune else shutil.copy2(TUNE, tune) and None
            listener = make_soundfont(soundfont) if make_soundfont else listener
            if "stalls" in name:
                if not isinstance(listener, int):
                    print("skip  %s: fanotify is not available here" % name)
                    continue
                # LeakSanitizer stops every thread with ptrace before it looks, and a thread
                # held by fanotify cannot be: the exit would wait on the check, not the game.
                env = {"ASAN_OPTIONS": "detect_leaks=0:abort_on_error=1"} | env
            env = {"MUNYURA_SOUNDFONT": soundfont if make_soundfont else SOUNDFONT} | env
            capture = os.path.join(home, "captured.raw")
            status, errors, sound, took, _ = heard(display, [game], capture, env, end=end)
            loudest = float(numpy.max(numpy.abs(sound), initial=0))
            if "stalls" in name:
                os.close(listener)
            check(status == 0 and len(errors) == lines and (loudest > 0.01) == plays and
                  all(line.startswith("ムニュラ: ") for line in errors) and
                  (plays or loudest == 0) and took < QUICK_EXIT,
                  "%s, ended by %s: %s, %d lines, status %s, %.2f s to end %r"
                  % (name, signal.Signals(end).name if end else "closing",
                     "plays" if loudest > 0.01 else "silent" if loudest == 0 else "noise",
                     len(errors), status, took, errors))
    return outcome()


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
