#!/usr/bin/env python3
"""The game in a real window (pad_player runs its start-up and loop, telling Form1's state),
played by keys, clicks and a virtual pad through the moments the page plays too, judged by
Form1 and on screenshots; the focus lost, the keypad, a pad unplugged, the player's pad
mappings. Usage: window_test.py <path to pad_player>"""
import contextlib
import pathlib
import sys

from x_session import XDisplay, check, failures, outcome, played
from moments import DOORWAY, KEYS, LET_GO, PAD, RESTART_MOMENT, START, TITLE, WALK_ON
from scenario import Expect, Step, expect, run

# The mapping file's two pads; SDL_GAMECONTROLLERCONFIG maps the second its own way.
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


def play(display, driver):
    root = display.run("xdotool", "search", "--maxdepth", "0", "--name", "").split()[0]

    @contextlib.contextmanager
    def away(entry):
        """`entry` held as the focus goes to no window (the pointer off the game's)."""
        driver.down(entry)
        driver.ticks(2)
        display.run("xdotool", "mousemove", "1020", "760", "windowfocus", root)
        driver.ticks(5)
        yield
        driver.up(entry)
        display.focus(driver.window)
        driver.ticks(2)  # SDL drops a click that comes with the focus

    display.focus(driver.window)
    with away(KEYS["start"]):
        expect(driver, failures, "the focus lost while Space holds the start button", screen="title")
    run(driver, KEYS, TITLE + START + DOORWAY + LET_GO, failures)
    before = driver.state()["chick"]
    run(driver, {"left": ("key", "KP_Left")}, [Step("hold", "left", until=8)], failures)
    check(driver.state()["chick"] != before, "the keypad's 4 walks the chick with NumLock off")
    with away(KEYS["left"]):  # asked at once: a wall or a doorway would let go too
        check(driver.state()["held"] == [], "a held arrow is let go as the focus goes")
    run(driver, KEYS, RESTART_MOMENT, failures)
    check(mapping(driver, SWAPPED[:32]) == SWAPPED, "the file's mapping reaches SDL")
    check(mapping(driver, FILED[:32]) == STRAIGHT, "SDL_GAMECONTROLLERCONFIG wins over the file")
    driver.send("plug")
    run(driver, WAY, START + DOORWAY + WALK_ON + PICKER, failures)
    run(driver, WAY, [Step("down", "down", says="d-pad down", expect=Expect(held=40)),
                      Step("up", "down")], failures)
    with away(WAY["left"]):
        check(driver.state()["held"] == [], "the focus lost lets go of the d-pad")
        run(driver, WAY, [Step("press", "read", says="and keeps A out", expect=Expect(band=False))],
            failures)
    # Unplugged with the stick held down: the chick stops and stays.
    driver.down(("stick", 32767))
    expect(driver, failures, "the stick pushed down", held=40)
    driver.send("unplug")
    expect(driver, failures, "the pad unplugged", held=False, still=True)
    driver.send("plug")  # again: Back restarts
    run(driver, WAY, RESTART_MOMENT, failures)


def main(player):
    # SDL would drop a pad's events itself while no window of the game has
    # the focus; told to pass them on, it leaves that to the game's own rule.
    env = dict(SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS="1", SDL_GAMECONTROLLERCONFIG=STRAIGHT)
    with XDisplay() as display:
        path = pathlib.Path(display.env["XDG_CONFIG_HOME"], "munyura", "gamecontrollerdb.txt")
        path.parent.mkdir()
        path.write_text(f"# the player's pads\r\n{SWAPPED}\r\n{FILED}\r\n")
        status, quiet, _ = played(display, player, lambda driver: play(display, driver), **env)
        # pad_player has no tune beside it, and says so; nothing else.
        check(status == 0 and all("no music" in line for line in quiet),
              f"closed, it ends with 0 ({status}), the mapping file unmentioned: {quiet}")
        path.write_text(path.read_text() + "03000000aaaa,Half a GUID,a:b0,\n")
        _, said, told = played(display, player, lambda driver: mapping(driver, SWAPPED[:32]))
        said = [line for line in said if "no music" not in line]
        check(told == "" and len(said) == 1 and str(path) in said[0] and "line 4" in said[0],
              f"a file with a bad line is left out whole, in one line naming it: {said}")
    return outcome()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
