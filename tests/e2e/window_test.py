#!/usr/bin/env python3
"""The game in a real window on an X display, played through the moments the
page plays too (tests/scenarios/moments.py) with xdotool's keys and clicks,
judged by Form1's state (pad_player runs the game's own start-up and loop)
and on screenshots against the renderer's reference images; then the real
game without a Japanese font, closed as a window manager closes it.

Usage: window_test.py <path to pad_player> <path to munyura>"""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from x_session import XDisplay, check, failures, outcome, played, running  # noqa: E402
from moments import DOORWAY, KEYS, LET_GO, RESTART_MOMENT, START, TITLE  # noqa: E402
from scenario import run  # noqa: E402


def play(display, driver):
    check(display.window_name(driver.window) == "ムニュラ"
          and display.window_size(driver.window) == (621, 380), "a 621 x 380 window titled ムニュラ")
    display.focus(driver.window)
    run(driver, KEYS, TITLE + START + DOORWAY + LET_GO + RESTART_MOMENT, failures)


def main(player, binary):
    display = XDisplay()
    try:
        status, said = played(display, player, lambda driver: play(display, driver))
        check(status == 0 and not [line for line in said if "run-time error" in line],
              f"closed, it ends with 0 ({status}), no run-time error: {said}")
        with tempfile.TemporaryDirectory() as folder:
            fonts = os.path.join(folder, "fonts.conf")
            with open(fonts, "w") as f:
                f.write(f"<fontconfig><dir>{folder}</dir><cachedir>{folder}</cachedir></fontconfig>")
            with running([binary], env=dict(display.env, FONTCONFIG_FILE=fonts),
                         stderr=subprocess.PIPE, text=True) as game:
                display.close_window(display.find_window(game))
                status, said = game.wait(timeout=10), game.stderr.read()
        check(status == 0 and "fonts-ipafont-gothic" in said,
              f"without a Japanese font the game runs, names the package, closes with 0: {said!r}")
    finally:
        display.close()
    return outcome()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
