#!/usr/bin/env python3
"""Plays the real game in a real window: starts the binary on an X display,
presses keys and clicks as a player does, and checks what the screen shows
against the reference images that the renderer's tests keep.

Usage: window_test.py <path to munyura>"""

import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, "tools"))
sys.path.insert(0, HERE)

from picture_codecs import read_rgba_png  # noqa: E402
from x_session import Picture, XDisplay, check, outcome, running  # noqa: E402

GREEN, RED, WHITE, BLACK = (0, 255, 0), (255, 0, 0), (255, 255, 255), (0, 0, 0)
CHICK = (280, 192, 47, 49)       # facing down at the start of play
MONUMENT = (232, 88, 150, 150)   # Sekihi
TICK = 0.06


def reference(name):
    """A committed reference image of the window."""
    with open(os.path.join(ROOT, "tests", "desktop", "window", "golden", name + ".png"), "rb") as f:
        width, height, rows = read_rgba_png(f.read())
    return Picture(width, height, b"".join(bytes(row[i:i + 3]) for row in rows
                                           for i in range(0, width * 4, 4)))


def settle():
    """Gives the game a few ticks to act on the last input and draw."""
    time.sleep(5 * TICK)


def refuses_without_a_display(binary):
    """Without a display the game says so in one line and exits with 1."""
    for what, display in (("no display at all", None), ("a display that is not there", ":4095")):
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        if display:
            env["DISPLAY"] = display
        run = subprocess.run([binary], env=env, capture_output=True, text=True, timeout=30)
        lines = run.stderr.splitlines()
        check(run.returncode == 1 and len(lines) == 1 and "display" in lines[0],
              "with %s the game exits with 1 and says why in one line: %r"
              % (what, run.stderr))


def warns_without_a_japanese_font(display, binary):
    """With no font that covers Japanese the game names the package to
    install, and still opens its window."""
    with tempfile.TemporaryDirectory() as folder:
        config = os.path.join(folder, "fonts.conf")
        with open(config, "w") as f:
            f.write('<?xml version="1.0"?><fontconfig><dir>%s</dir><cachedir>%s</cachedir>'
                    '</fontconfig>' % (folder, folder))
        env = dict(display.env, FONTCONFIG_FILE=config)
        with running([binary], env=env, stderr=subprocess.PIPE, text=True) as game:
            window = display.find_window(game)
            display.close_window(window)
            status = game.wait(timeout=10)
        warning = game.stderr.read()
    check(status == 0 and "fonts-ipafont-gothic" in warning,
          "without a Japanese font the game runs and names the package: %r" % warning)


def main(binary):
    refuses_without_a_display(binary)
    display = XDisplay()
    try:
        warns_without_a_japanese_font(display, binary)
        with running([binary], env=display.env, stderr=subprocess.PIPE, text=True) as game:
            play(display, game)
    finally:
        display.close()
    stderr = game.stderr.read()
    check("run-time error" not in stderr, "no run-time error was reported: %r" % stderr[-400:])
    return outcome()


def play(display, game):
    window = display.find_window(game)
    check(display.window_name(window) == "ムニュラ", "the window is titled ムニュラ")
    check(display.window_size(window) == (621, 380), "the window is 621 x 380 inside")
    display.focus(window)
    settle()

    title = display.screenshot(window)
    check(title.count(GREEN, 0, 248, 617, 129) > 617 * 129 * 0.8,
          "the title screen shows the green band", title)
    check(title.count(RED, 0, 128, 621, 49) > 1000, "the title screen shows the red button", title)
    check(title.at(300, 32) == BLACK and title.at(300, 16) == BLACK,
          "the title screen shows both frames", title)
    check(title.count(WHITE, *CHICK) == CHICK[2] * CHICK[3], "the title screen shows no chick", title)

    display.key("space")
    settle()
    start = display.screenshot(window)
    room = reference("room-0-0")
    check(start.region(*CHICK) == room.region(*CHICK),
          "Space starts play: the chick faces down at (280, 192)", start)
    check(start.region(*MONUMENT) == room.region(*MONUMENT), "over monument 0", start)
    check(start.count(GREEN) == 0 and start.count(RED) == 0, "the band and the button are gone", start)

    display.key("z")
    settle()
    reading = display.screenshot(window)
    band = reference("inscription").region(0, 248, 617, 129)
    check(reading.region(0, 248, 617, 129) == band, "Z shows the inscription band", reading)
    display.key("z")
    settle()
    check(display.screenshot(window).count(GREEN) == 0, "the next Z hides it")

    display.hold("Right", 8 * TICK)
    settle()
    moved = display.screenshot(window)
    check(moved.region(*CHICK) != room.region(*CHICK), "holding Right moves the chick", moved)
    check(moved.count(BLACK, 331, 192, 80, 49) > 100, "to the right", moved)

    # Up into the height of the left doorway, then left until the doorway
    # pulls the chick on out of the room; let go before it arrives, or the
    # held key would walk it on over the next room's monument.
    display.hold("Up", 3 * TICK)
    display.hold("Left", 38 * TICK)
    time.sleep(15 * TICK)
    next_room = display.screenshot(window)
    closed = reference("closed-doorways")
    check(next_room.region(*MONUMENT) == closed.region(*MONUMENT),
          "walking out through the left doorway shows the next room's monument", next_room)
    check(next_room.at(24, 128) == WHITE and next_room.at(24, 232) == WHITE,
          "whose left doorway is closed", next_room)

    display.click(window, 594, 7)
    settle()
    again = display.screenshot(window)
    check(again.count(GREEN, 0, 248, 617, 129) > 617 * 129 * 0.8 and again.count(RED) > 1000,
          "clicking ﾊﾂﾞﾒｶﾗ brings the title screen back", again)

    display.close_window(window)
    try:
        status = game.wait(timeout=10)
    except subprocess.TimeoutExpired:
        status = None
    check(status == 0, "closing the window ends the game with status 0 (got %s)" % status)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
