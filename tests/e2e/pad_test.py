#!/usr/bin/env python3
"""The game played with a pad: pad_player runs the game's own start-up and
loop with an SDL virtual game controller plugged into its process, played
through the moments the page plays too (tests/scenarios/moments.py), judged
by Form1's state and the letter picker on screenshots. Then the focus and
unplugging letting go, and the player's mapping file in SDL's table, a
broken one costing one line on stderr.

Usage: pad_test.py <path to pad_player>"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from x_session import XDisplay, check, failures, outcome, played  # noqa: E402
from moments import DOORWAY, PAD, RESTART_MOMENT, START, WALK_ON  # noqa: E402
from scenario import Expect, Step, expect, run  # noqa: E402

# The file's two pads; SDL_GAMECONTROLLERCONFIG maps the second its own way.
SWAPPED = "03000000aaaa0000bbbb000000000000,Player's pad,a:b1,b:b0,platform:Linux,"
FILED, STRAIGHT = (f"03000000cccc0000dddd000000000000,{name}" for name in (
    "Filed pad,a:b1,b:b0,leftx:a0,lefty:a1~,dpup:h0.1,", "Straight pad,a:b0,b:b1,platform:Linux,"))
WAY = dict(PAD, down=("pad", "dpdown"), picker=("pad", "y"), close=("pad", "b"))
# In the picker the d-pad moves the highlight and walks nowhere; B closes it.
PICKER = [
    Step("press", "picker", says="Y opens the picker", expect=Expect(picker=0)),
    Step("press", "left", says="Left moves round to M", expect=Expect(picker=12, held=False)),
    Step("press", "close", says="B closes it", expect=Expect(picker=False)),
]


def mapping(driver, guid):
    return driver.send("mapping " + guid, "mapping")[len("mapping "):]


def with_a_pad(display, driver):
    check(mapping(driver, SWAPPED[:32]) == SWAPPED, "the file's mapping reaches SDL")
    check(mapping(driver, FILED[:32]) == STRAIGHT, "SDL_GAMECONTROLLERCONFIG wins over the file")
    check(driver.send("plug", "plugged") == "plugged 1", "a virtual pad plugged in")
    display.focus(driver.window)
    run(driver, WAY, START + DOORWAY + WALK_ON + PICKER, failures)
    # Another window taking the focus lets go of the held d-pad and keeps A out.
    run(driver, WAY, [Step("down", "down", says="d-pad down", expect=Expect(held=40))], failures)
    display.focus(display.run("xdotool", "search", "--maxdepth", "0", "--name", "").split()[0])
    run(driver, WAY, [Step("wait", until=1, says="the focus gone", expect=Expect(held=False)),
                      Step("press", "read", says="A without it", expect=Expect(band=False)),
                      Step("up", "down")], failures)
    display.focus(driver.window)
    # Unplugged with the stick held down: the chick stops and stays.
    driver.down(("stick", 32767))
    expect(driver, failures, "the stick pushed down", held=40)
    driver.send("unplug")
    expect(driver, failures, "the pad unplugged", held=False, still=True)
    check(driver.send("plug", "plugged") == "plugged 1", "plugged in again")
    run(driver, WAY, RESTART_MOMENT, failures)


def main(player):
    display = XDisplay()
    path = os.path.join(display.env["XDG_CONFIG_HOME"], "munyura", "gamecontrollerdb.txt")
    os.makedirs(os.path.dirname(path))
    # SDL would drop a pad's events itself while no window of the game has
    # the focus; told to pass them on, it leaves that to the game's own rule.
    env = dict(SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS="1", SDL_GAMECONTROLLERCONFIG=STRAIGHT)
    try:
        with open(path, "w") as f:
            f.write(f"# the player's pads\r\n{SWAPPED}\r\n{FILED}\r\n")
        status, quiet = played(display, player, lambda driver: with_a_pad(display, driver), **env)
        # pad_player has no tune beside it, and says so.
        check(status == 0 and all("no music" in line for line in quiet),
              f"the pad's game ends with 0 ({status}), a good mapping file unmentioned: {quiet}")
        with open(path, "a") as f:
            f.write("03000000aaaa,Half a GUID,a:b0,\n")
        told = []
        _, said = played(display, player, lambda driver: told.append(mapping(driver, SWAPPED[:32])))
        bad = [line for line in said if path in line and "line 4" in line]
        check(told == [""] and len(bad) == 1 and len(said) == len(quiet) + 1,
              f"a file with a bad line is left out whole, in one line naming it: {said}")
    finally:
        display.close()
    return outcome()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
