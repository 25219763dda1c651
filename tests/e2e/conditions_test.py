#!/usr/bin/env python3
"""The real game under what a player or the system may do to it: the focus
taken away while Space or an arrow is held, the keypad with NumLock off, and
a table of hostile conditions (standard streams closed or a broken pipe, the
display gone), each judged by its exit status, its lines on standard error
and the time it takes to end.

Usage: conditions_test.py <path to munyura>"""

import contextlib
import os
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from x_session import XDisplay, check, outcome, running  # noqa: E402

WHITE = (255, 255, 255)
CHICK = (280, 192, 47, 49)  # facing down at the start of play
TICK = 0.06


def settle():
    """Gives the game a few ticks to act on the last input and draw."""
    time.sleep(5 * TICK)

# Silent sound output and a soundfont that is not there: the game says so in
# one line, and nothing else.
NO_SOUNDFONT = {"SDL_AUDIODRIVER": "dummy", "MUNYURA_SOUNDFONT": "/nonexistent/munyura.sf2"}
# Closing and exiting take well under a second on an idle machine; this
# leaves room for a loaded one.
PROMPTLY = 10.0


def focus_and_keypad(display, binary):
    root = display.run("xdotool", "search", "--maxdepth", "0", "--name", "").split()[0]
    row = (0, CHICK[1], 621, CHICK[3])
    with running([binary], env=display.env, stderr=subprocess.DEVNULL) as game:
        window = display.find_window(game)
        for key, start_play in (("space", False), ("Right", True)):
            display.focus(window)
            if start_play:
                display.key("Return")
                settle()
                before = display.screenshot(window)
                display.hold("KP_Right", 0.5)  # NumLock is off
                settle()
                check(display.screenshot(window).region(*row) != before.region(*row),
                      "the keypad's 6 walks the chick with NumLock off")
            display.run("xdotool", "keydown", key)
            settle()
            # To no window at all, the pointer away from the game's, where the
            # root window's keys would go.
            display.run("xdotool", "mousemove", "1020", "760", "windowfocus", root)
            settle()
            away = display.screenshot(window)
            time.sleep(0.5)
            later = display.screenshot(window)
            display.run("xdotool", "keyup", key)
            if start_play:
                check(later.region(*row) == away.region(*row),
                      "a held arrow stops when the window loses the focus", later)
            else:
                check(later.count(WHITE, *CHICK) == CHICK[2] * CHICK[3],
                      "losing the focus while Space holds the start button down starts nothing",
                      later)
        display.close_window(window)
        game.wait(timeout=PROMPTLY)


def broken_pipe():
    """A pipe whose reader has gone: the write end, for standard error."""
    read_end, write_end = os.pipe()
    os.close(read_end)
    return write_end


# What is done to the game, how it is started, and what must come of it: its
# exit status and what each line it writes on standard error says (None where
# standard error cannot be read).
CASES = [
    ("standard error closed", "close", ["sh", "-c", 'exec "$0" 2>&-'], None, 0, None),
    ("all three standard streams closed", "close",
     ["sh", "-c", 'exec "$0" 0<&- 1>&- 2>&-'], None, 0, None),
    ("standard error a broken pipe", "close", [], broken_pipe, 0, None),
    ("the display goes away under the game", "kill display", [], subprocess.PIPE, 1,
     ["no music", "display"]),
    ("a clean close, for comparison", "close", [], subprocess.PIPE, 0, ["no music"]),
]


def run_case(binary, what, action, launcher, stderr, status, lines):
    display = XDisplay(private=action == "kill display")
    stderr_fd = stderr() if callable(stderr) else stderr
    game = subprocess.Popen(launcher + [binary], env=dict(display.env, **NO_SOUNDFONT),
                            stderr=stderr_fd, stdout=subprocess.DEVNULL, text=True)
    if isinstance(stderr_fd, int) and stderr_fd >= 0:
        os.close(stderr_fd)
    try:
        window = display.find_window(game)
        time.sleep(1.0)  # the game says its line about the soundfont meanwhile
        alive = game.poll() is None
        asked = time.monotonic()
        if action == "kill display":
            display.close(kill=True)
        elif alive:  # a window that is gone cannot be asked to close
            display.close_window(window)
        with contextlib.suppress(subprocess.TimeoutExpired):
            game.wait(timeout=PROMPTLY)
        got, took = game.poll(), time.monotonic() - asked
        said = game.stderr.read().splitlines() if game.stderr else None
    finally:
        if game.poll() is None:
            game.kill()
        display.close()
    check(alive and got == status and took < PROMPTLY
          and (lines is None or (len(said) == len(lines) and all(
              line.startswith("ムニュラ: ") and words in line for line, words in zip(said, lines)))),
          "%s: plays on, ends with %s (got %s) in %.1f s; stderr %s"
          % (what, status, got, took, "unread" if said is None else said))


def main(binary):
    display = XDisplay()
    try:
        focus_and_keypad(display, binary)
    finally:
        display.close()
    for case in CASES:
        run_case(binary, *case)
    return outcome()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
