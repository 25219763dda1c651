#!/usr/bin/env python3
"""The real game under what a player or the system may do to it: the focus
taken away while Space or an arrow is held, the keypad with NumLock off, and
a table of hostile conditions (standard streams closed or a broken pipe, the
display gone), each judged by its exit status, its lines on standard error
and the time it takes to end.

Usage: conditions_test.py <path to pad_player> <path to munyura>"""
import contextlib
import os
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from x_session import XDisplay, check, failures, outcome, played  # noqa: E402
from scenario import expect  # noqa: E402

# Closing and exiting take well under a second on an idle machine; this
# leaves room for a loaded one.
PROMPTLY = 10.0


def focus_and_keypad(display, driver):
    """Judged by Form1's state in pad_player, which runs the game's own loop."""
    root = display.run("xdotool", "search", "--maxdepth", "0", "--name", "").split()[0]

    def away():
        """The focus to no window at all, the pointer away from the game's,
        where the root window's keys would go."""
        display.run("xdotool", "mousemove", "1020", "760", "windowfocus", root)
        driver.ticks(5)

    display.focus(driver.window)
    display.run("xdotool", "keydown", "space")
    driver.ticks(5)
    away()
    expect(driver, failures, "the focus lost while Space holds the start button", screen="title")
    display.run("xdotool", "keyup", "space")
    display.focus(driver.window)
    display.key("Return")
    expect(driver, failures, "Enter starts play", screen="play")
    display.hold("KP_Right", 0.5)  # NumLock is off
    expect(driver, failures, "the keypad's 6 walks the chick", chick_in=((290, 621), (0, 380)))
    display.run("xdotool", "keydown", "Right")
    driver.ticks(5)
    away()
    expect(driver, failures, "a held arrow stops when the focus goes", held=False, still=True)
    display.run("xdotool", "keyup", "Right")


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
    stderr = stderr() if callable(stderr) else stderr
    # Silent sound output and a soundfont that is not there: the game says
    # so in one line, and nothing else.
    env = dict(display.env, SDL_AUDIODRIVER="dummy", MUNYURA_SOUNDFONT="/nonexistent/munyura.sf2")
    game = subprocess.Popen(launcher + [binary], env=env, stderr=stderr,
                            stdout=subprocess.DEVNULL, text=True)
    if stderr not in (None, subprocess.PIPE):
        os.close(stderr)
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
          f"{what}: plays on, ends with {status} (got {got}) in {took:.1f} s; stderr {said}")


def main(player, binary):
    display = XDisplay()
    try:
        played(display, player, lambda driver: focus_and_keypad(display, driver))
    finally:
        display.close()
    for case in CASES:
        run_case(binary, *case)
    return outcome()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
