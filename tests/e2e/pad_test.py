#!/usr/bin/env python3
"""Plays the real game with a pad: pad_player runs the game's own start-up
and loop with an SDL virtual game controller plugged into its process,
played through the moments the page plays too (tests/scenarios/moments.py)
and judged by Form1's state, the letter picker on screenshots. Then the
focus and unplugging letting go, and the player's mapping files: in SDL's
table inside the running game, and a broken one costing the real game one
line on stderr.

Usage: pad_test.py <path to pad_player> <path to munyura>"""

import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [HERE, os.path.join(os.path.dirname(HERE), "scenarios")]

from moments import DOORWAY, PAD, RESTART_MOMENT, START, WALK_ON  # noqa: E402
from scenario import Expect, Failures, Step, expect, inscription, run  # noqa: E402
from x_session import XDisplay, XDriver, running  # noqa: E402

NAVY, WHITE, BAND = (0, 0, 128), (255, 255, 255), (64, 64, 64)
GUID = "03000000aaaa0000bbbb000000000000"

# In the picker the d-pad moves the highlight round its edges and walks
# nowhere; A types the letter, B closes it, leaving nothing on screen.
PICKER = [
    Step("press", "picker", says="Y opens the picker", expect=Expect(picker=0)),
    Step("press", "left", says="Left wraps round to M", expect=Expect(picker=12, held=False)),
    Step("press", "down", says="Down moves on to Z", expect=Expect(picker=25, held=False)),
    Step("press", "read", says="A types Z, which reads monument 6", expect=Expect(band=6)),
    Step("press", "close", says="B closes it", expect=Expect(picker=False)),
]


def cell(letter):
    """A letter's cell in the picker (A = 0), as the desktop lays it out."""
    return (6 + letter % 13 * 47, 320 + letter // 13 * 29, 45, 27)


class PadDriver(XDriver):
    """pad_player's pad in, Form1's state out (and the screen, for the picker)."""

    def __init__(self, display, game):
        super().__init__(display, None)
        self.game = game

    def send(self, line, answer=None):
        self.game.stdin.write(line + "\n")
        self.game.stdin.flush()
        for told in self.game.stdout if answer else ():
            if told.startswith(answer):
                return told.split()[1:] if answer == "state" else told.rstrip("\n")
        return None

    def state(self, ticks=1):
        told = dict(word.split("=") for word in self.send(f"ticks {ticks}", "state"))
        band = told["band"]
        return {"focus": told["focus"] == "1", "title": told["title"] == "1",
                "room": tuple(int(v) for v in told["room"].split(",")),
                "chick": tuple(float(v) for v in told["chick"].split(",")),
                "monument": int(told["monument"]),
                "band": False if band == "no" else inscription(int(band)) if band != "-1" else "?",
                "held": [] if told["held"] == "no" else [int(v) for v in told["held"].split(",")]}

    def down(self, entry):
        if entry[0] == "stick":
            self.send(f"axis lefty {entry[1]}")
        else:
            self.send(f"button {entry[1]} 1")  # a tick before the release: SDL sees it

    def up(self, entry, slide=False):
        self.send("axis lefty 0" if entry[0] == "stick" else f"button {entry[1]} 0")

    def ticks(self, count):
        self.state(count)

    def repeat(self, entry):
        pass  # the game's held controls repeat themselves

    def look(self, expect, state):
        if expect.picker is None:
            return []
        screen = self.display.screenshot(self.window)
        band = screen.count(BAND, 0, 316, 621, 64)
        if expect.picker is False:
            return [(band == 0 and screen.count(NAVY) == 0, "nothing of the picker left")]
        # The highlighted letter's cell navy with a white letter, the others white.
        marked = [n for n in range(26) if screen.count(NAVY, *cell(n)) > 0.6 * 45 * 27
                  and screen.count(WHITE, *cell(n)) > 10]
        white = all(screen.count(WHITE, *cell(n)) > 0.6 * 45 * 27 for n in range(26)
                    if n != expect.picker)
        return [(band > 1000 and marked == [expect.picker] and white,
                 f"the picker's band, {expect.picker} marked: {marked}")]


def with_a_pad(display, player, failures):
    # SDL would drop the pad's events itself while no window of the game has
    # the focus; with this setting of SDL's own it passes them on, and the
    # game's rule alone keeps them out.
    env = dict(display.env, SDL_AUDIODRIVER="dummy", SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS="1")
    with running([player], env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                 stderr=subprocess.PIPE, text=True) as game:
        driver = PadDriver(display, game)
        driver.send("", "ready")
        driver.window = display.find_window(game)
        display.focus(driver.window)
        failures.check(driver.send("plug", "plugged") == "plugged 1", "a virtual pad plugged in")
        way = dict(PAD, down=("pad", "dpdown"), picker=("pad", "y"), close=("pad", "b"))
        run(driver, way, START + DOORWAY + WALK_ON + PICKER, failures)
        # Another window taking the focus lets go of the held d-pad and keeps A out.
        driver.down(way["down"])
        root = display.run("xdotool", "search", "--maxdepth", "0", "--name", "")
        display.focus(int(root.split()[0]))
        run(driver, way, [Step("up", "down", says="the focus gone", expect=Expect(held=False)),
                          Step("press", "read", says="A without it", expect=Expect(band=6))],
            failures)
        display.focus(driver.window)
        # Unplugged with the stick held down: the chick stops and stays.
        driver.down(("stick", 32767))
        expect(driver, failures, "the stick pushed down", held=40)
        driver.send("unplug")
        expect(driver, failures, "the pad unplugged", held=False, still=True)
        failures.check(driver.send("plug", "plugged") == "plugged 1", "plugged in again")
        run(driver, way, RESTART_MOMENT, failures)
        driver.send("quit")
        game.stdin.close()
        status = game.wait(timeout=20)
        errors = game.stderr.read()
    failures.check(status == 0 and "run-time error" not in errors,
                   f"the pad's game ends with 0 ({status}), no run-time error: {errors[-400:]!r}")


def mapping_file(display, mappings):
    """Makes `mappings` (or no file at all) the player's mapping file."""
    path = os.path.join(display.env["XDG_CONFIG_HOME"], "munyura", "gamecontrollerdb.txt")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if mappings is None and os.path.exists(path):
        os.remove(path)
    elif mappings is not None:
        with open(path, "w") as f:
            f.write(mappings)
    return path


def mapping_in_sdl(display, player, **env):
    """The mapping SDL holds for GUID once the game has started."""
    with running([player], env=dict(display.env, SDL_AUDIODRIVER="dummy", **env),
                 stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True) as game:
        driver = PadDriver(display, game)
        driver.send("", "ready")
        told = driver.send("mapping " + GUID, "mapping")
        driver.send("quit")
        game.stdin.close()
        game.wait(timeout=20)
    return told[len("mapping "):]


def stderr_of_a_run(display, binary, mappings):
    """The real game's lines on stderr from start to close, with `mappings`
    as the player's mapping file."""
    path = mapping_file(display, mappings)
    with running([binary], env=dict(display.env, SDL_AUDIODRIVER="dummy"), stderr=subprocess.PIPE,
                 text=True) as game:
        display.close_window(display.find_window(game))
        game.wait(timeout=10)
        return path, game.stderr.read().splitlines()


def mappings(display, player, binary, failures):
    swapped = GUID + ",Player's pad,a:b1,b:b0,platform:Linux,"
    mapping_file(display, "# A and B change places\n" + swapped + "\n")
    failures.check(mapping_in_sdl(display, player) == swapped, "the file's mapping reaches SDL")
    straight = GUID + ",Straight pad,a:b0,b:b1,platform:Linux,"
    failures.check(mapping_in_sdl(display, player, SDL_GAMECONTROLLERCONFIG=straight) == straight,
                   "SDL_GAMECONTROLLERCONFIG wins over the file")
    mapping_file(display, swapped + "\nnot a mapping\n")
    failures.check(mapping_in_sdl(display, player) == "", "a file with a bad line left out whole")

    _, quiet = stderr_of_a_run(display, binary, None)
    good = ("# a pad of the player's\n" + GUID + ",Player's pad,a:b0,b:b1,leftx:a0,lefty:a1~,"
            "dpup:h0.1,platform:Linux,\r\n")
    _, with_good = stderr_of_a_run(display, binary, good)
    failures.check(with_good == quiet, f"a good mapping file says nothing: {with_good!r}")
    path, broken = stderr_of_a_run(display, binary, good + "03000000aaaa,Half a GUID,a:b0,\n")
    told = [line for line in broken if "gamecontrollerdb.txt" in line]
    failures.check(len(broken) == len(quiet) + 1 and len(told) == 1 and path in told[0]
                   and "line 3" in told[0],
                   f"a broken mapping file costs one line naming it and its bad line: {broken!r}")


def main(player, binary):
    failures = Failures()
    display = XDisplay()
    try:
        with_a_pad(display, player, failures)
        mappings(display, player, binary, failures)
    finally:
        display.close()
    return failures.outcome()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
