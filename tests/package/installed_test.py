#!/usr/bin/env python3
"""Installs the Debian package for real with apt-get, as a player does,
starts the installed game by the name a player types, listens to its tune
through SDL's disk audio driver, and purges it again without a trace. Needs
root; skipped (77) otherwise, or where munyura is already installed, which
this would remove.

Usage: installed_test.py <munyura_*.deb>"""

import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "e2e"))

from music_test import GameCopy, check, failures, sox_rms  # noqa: E402
from x_session import XDisplay  # noqa: E402

LAUNCHER = "/usr/games/munyura"
APT = ["apt-get", "-y", "-o", "DPkg::Lock::Timeout=600"]


class InstalledGame(GameCopy):
    """The game where the package put it, run as the player runs it."""

    def __init__(self, scratch):  # pylint: disable=super-init-not-called
        self.binary = LAUNCHER
        self.capture = os.path.join(scratch, "captured.raw")


def installed():
    status = subprocess.run(["dpkg-query", "-W", "-f=${Status}", "munyura"],
                            capture_output=True, text=True).stdout
    return status == "install ok installed"


def answers(*args):
    """What the installed game says to a command line, with no display."""
    env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
    return subprocess.run([LAUNCHER, *args], env=env, capture_output=True, text=True, timeout=30)


def plays(scratch):
    display = XDisplay()
    # Settings of its own, so that none remembered on this machine mutes it.
    display.env.update(XDG_CONFIG_HOME=scratch, HOME=scratch)
    try:
        game = InstalledGame(scratch)
        status, errors, _ = game.run(display, 3.0)
    finally:
        display.close()
    check(status == 0 and errors == [], "the installed game ran 3 s and exited %d, saying %r"
          % (status, errors))
    seconds = len(game.captured()) / 2 / 44100
    loudness = sox_rms(game.capture, 0, 2.0) if seconds >= 2 else 0.0
    check(loudness > 0.01, "its tune, found beside the real executable, played: %.2f s captured, "
          "RMS %.4f over the first 2 s" % (seconds, loudness))


def main(deb):
    if os.geteuid() != 0:
        print("SKIPPED: not root, so the package is not installed for real")
        return 77
    if installed():
        print("SKIPPED: munyura is already installed here, and this test would purge it")
        return 77
    paths = [line.split(None, 5)[5][1:].partition(" -> ")[0].rstrip("/") for line in
             subprocess.run(["dpkg-deb", "--contents", deb], check=True, capture_output=True,
                            text=True).stdout.splitlines()]
    new = [path for path in paths if path and not os.path.lexists(path)]
    env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
    try:
        subprocess.run(APT + ["install", "--no-install-recommends", os.path.abspath(deb)],
                       env=env, check=True, stdout=subprocess.DEVNULL)
        check(installed(), "apt-get installs the package and everything it depends on")
        version = subprocess.run(["dpkg-deb", "--field", deb, "Version"], capture_output=True,
                                 text=True).stdout.strip()
        said = answers("--version")
        check(said.returncode == 0 and version in said.stdout,
              "%s --version answers %s: %r" % (LAUNCHER, version, said.stdout + said.stderr))
        options = set(re.findall(r"--[a-z-]+", answers("--help").stdout))
        manual = subprocess.run(["man", "-P", "cat", "munyura"], capture_output=True, text=True,
                                env=dict(env, MANWIDTH="80", LC_ALL="C.UTF-8")).stdout
        check(options and all(option in manual for option in options),
              "man munyura documents every option of --help: %s" % sorted(options))
        with tempfile.TemporaryDirectory() as scratch:
            plays(scratch)
    finally:
        subprocess.run(APT + ["purge", "munyura"], env=env, check=True, stdout=subprocess.DEVNULL)
    left = [path for path in new if os.path.lexists(path)]
    check(not installed() and not left, "apt-get purge leaves nothing of it: %s" % left)
    if failures:
        print("%d check(s) failed" % len(failures))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
