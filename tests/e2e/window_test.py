#!/usr/bin/env python3
"""Plays the real game in a real window: the binary on an X display, played
through the moments the page plays too (tests/scenarios/moments.py) with
xdotool's key presses and clicks, each judged on screenshots against the
reference images the renderer's tests keep. Besides: the window's title and
size, closing it, and the game without a display or a Japanese font.

Usage: window_test.py <path to munyura>"""

import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [HERE, os.path.join(os.path.dirname(HERE), "scenarios")]

from moments import DOORWAY, KEYS, LET_GO, RESTART_MOMENT, START, TITLE  # noqa: E402
from scenario import Failures, run  # noqa: E402
from x_session import XDisplay, XDriver, running  # noqa: E402


def without_a_display(binary, failures):
    """The game says so in one line and exits with 1."""
    for display in (None, ":4095"):
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        env.update({"DISPLAY": display} if display else {})
        game = subprocess.run([binary], env=env, capture_output=True, text=True, timeout=30)
        failures.check(game.returncode == 1 and len(game.stderr.splitlines()) == 1
                       and "display" in game.stderr,
                       f"with DISPLAY={display} the game exits 1 saying why: {game.stderr!r}")


def closed(display, game, window):
    display.close_window(window)
    try:
        return game.wait(timeout=10)
    except subprocess.TimeoutExpired:
        return None


def main(binary):
    failures = Failures()
    without_a_display(binary, failures)
    display = XDisplay()
    try:
        # With no font that covers Japanese the game names the package to
        # install, and still opens its window.
        with tempfile.TemporaryDirectory() as folder:
            config = os.path.join(folder, "fonts.conf")
            with open(config, "w") as f:
                f.write(f'<?xml version="1.0"?><fontconfig><dir>{folder}</dir>'
                        f'<cachedir>{folder}</cachedir></fontconfig>')
            with running([binary], env=dict(display.env, FONTCONFIG_FILE=config),
                         stderr=subprocess.PIPE, text=True) as game:
                status = closed(display, game, display.find_window(game))
                warning = game.stderr.read()
        failures.check(status == 0 and "fonts-ipafont-gothic" in warning,
                       f"without a Japanese font the game runs and names the package: {warning!r}")

        with running([binary], env=display.env, stderr=subprocess.PIPE, text=True) as game:
            window = display.find_window(game)
            failures.check(display.window_name(window) == "ムニュラ"
                           and display.window_size(window) == (621, 380),
                           "a 621 x 380 window titled ムニュラ")
            display.focus(window)
            run(XDriver(display, window), KEYS,
                TITLE + START + DOORWAY + LET_GO + RESTART_MOMENT, failures)
            status = closed(display, game, window)
            errors = game.stderr.read()
        failures.check(status == 0 and "run-time error" not in errors,
                       f"closed, it ends with 0 ({status}), no run-time error: {errors[-400:]!r}")
    finally:
        display.close()
    return failures.outcome()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
