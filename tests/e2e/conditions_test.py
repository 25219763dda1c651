#!/usr/bin/env python3
"""The real game under hostile conditions (standard streams closed or a broken pipe, the
display gone, no Japanese font), judged by its exit status, its lines on standard error and the
time it takes to end (the focus lost: window_test). Usage: conditions_test.py <munyura>"""
import contextlib
import os
import pathlib
import subprocess
import sys
import tempfile
import time

from x_session import XDisplay, check, outcome, running

PROMPTLY = 10.0  # well under a second on an idle machine; room for a loaded one


def broken_pipe():
    """A pipe whose reader has gone: the write end, for standard error."""
    read_end, write_end = os.pipe()
    os.close(read_end)
    return write_end


FONTLESS = tempfile.TemporaryDirectory()
pathlib.Path(FONTLESS.name, "fonts.conf").write_text("<fontconfig></fontconfig>")
# What is done to the game, how it is started, and what must come of it: its exit status and
# what each line it writes on standard error says (None where standard error cannot be read).
CASES = [
    ("standard error closed", "close", ["sh", "-c", 'exec "$0" 2>&-'], None, 0, None),
    ("all three standard streams closed", "close",
     ["sh", "-c", 'exec "$0" 0<&- 1>&- 2>&-'], None, 0, None),
    ("standard error a broken pipe", "close", [], broken_pipe, 0, None),
    ("the display goes away under the game", "kill display", [], subprocess.PIPE, 1,
     ["no music", "display"]),
    ("a clean close, for comparison", "close", [], subprocess.PIPE, 0, ["no music"]),
    # It names the package to install, and plays on.
    ("no font that covers Japanese", "close", ["env", f"FONTCONFIG_FILE={FONTLESS.name}/fonts.conf"],
     subprocess.PIPE, 0, ["fonts-ipafont-gothic", "no music"]),
]


def main(binary):
    for what, action, launcher, stderr, status, lines in CASES:
        stderr = stderr() if callable(stderr) else stderr
        with XDisplay(private=action == "kill display") as display, running(
                launcher + [binary], stderr=stderr, stdout=subprocess.DEVNULL, text=True,
                # Silent sound output and a soundfont that is not there: the game
                # says so in one line, and nothing else.
                env=dict(display.env, SDL_AUDIODRIVER="dummy",
                         MUNYURA_SOUNDFONT="/nonexistent/munyura.sf2")) as game:
            if stderr not in (None, subprocess.PIPE):
                os.close(stderr)
            window = display.find_window(game)
            time.sleep(1.0)  # the game says its line about the soundfont meanwhile
            alive, asked = game.poll() is None, time.monotonic()
            if action == "kill display":
                display.close(kill=True)
            elif alive:  # a window that is gone cannot be asked to close
                display.close_window(window)
            with contextlib.suppress(subprocess.TimeoutExpired):
                game.wait(timeout=PROMPTLY)
            got, took = game.poll(), time.monotonic() - asked
            said = game.stderr.read().splitlines() if game.stderr else None
        named = lines is None or len(said) == len(lines) and all(
            line.startswith("ムニュラ: ") and words in line for line, words in zip(said, lines))
        check(alive and got == status and took < PROMPTLY and named,
              f"{what}: plays on, ends with {status} (got {got}) in {took:.1f} s; stderr {said}")
    return outcome()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
