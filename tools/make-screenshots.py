#!/usr/bin/env python3
"""Takes the README's screenshots from the real game on an X display (a
private Xvfb when there is none): the title screen, and play with an
inscription shown.

Usage: tools/make-screenshots.py [path to munyura, default build/release/desktop/munyura]"""

import os
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from x_session import XDisplay  # noqa: E402

TICK = 0.06


def save_png(display, window, name):
    path = os.path.join(ROOT, "docs", name)
    display.run("import", "-window", str(window), "-strip", "png:" + path)
    print("wrote " + os.path.relpath(path, ROOT))


def main():
    binary = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "release", "game",
                                                                "munyura")
    display = XDisplay()
    game = subprocess.Popen([binary], env=display.env)
    try:
        window = display.find_window(game)
        display.focus(window)
        time.sleep(2 * TICK)  # the start button begins its slide
        save_png(display, window, "title-screen.png")
        display.key("space")
        display.key("z")
        time.sleep(5 * TICK)
        save_png(display, window, "play.png")
        display.close_window(window)
        game.wait(timeout=10)
    finally:
        if game.poll() is None:
            game.kill()
        display.close()


if __name__ == "__main__":
    main()
