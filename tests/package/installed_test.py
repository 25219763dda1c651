#!/usr/bin/env python3
"""The Debian package installed with apt-get, played by the name a player types, heard, and
purged without a trace. Skipped (77) unless root, or where munyura is installed already.
Usage: installed_test.py <munyura_*.deb>"""

import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import numpy  # noqa: E402
from music_test import RATE, GameCopy  # noqa: E402
from x_session import XDisplay, check, outcome  # noqa: E402

LAUNCHER = "/usr/games/munyura"
APT = ["apt-get", "-y", "-o", "DPkg::Lock::Timeout=600", "--no-install-recommends"]
ENV = dict(os.environ, DEBIAN_FRONTEND="noninteractive")


class InstalledGame(GameCopy):
    def __init__(self, scratch):  # pylint: disable=super-init-not-called
        self.folder, self.capture = os.path.dirname(LAUNCHER), os.path.join(scratch, "captured.raw")


def run(*args, **kwargs):
    return subprocess.run(args, capture_output=True, text=True, **kwargs)


def installed():
    return run("dpkg-query", "-W", "-f=${Status}", "munyura").stdout == "install ok installed"


def try_installed(deb, scratch):

    run(*APT, "install", os.path.abspath(deb), env=ENV, check=True)
    check(installed(), "apt-get installs it and everything it depends on")
    no_display = {k: v for k, v in ENV.items() if k != "DISPLAY"}
    version = run("dpkg-deb", "--field", deb, "Version").stdout.strip()
    said = run(LAUNCHER, "--version", env=no_display, timeout=30)
    check(said.returncode == 0 and version in said.stdout,
          "%s --version answers %s: %r" % (LAUNCHER, version, said.stdout + said.stderr))
    options = set(re.findall(r"--[a-z]+", run(LAUNCHER, "--help", env=no_display, timeout=30).stdout))
    for language, heading in ((), "HOW TO PLAY"), (("-L", "ja"), "遊び方"):
        manual = run("man", *language, "-P", "cat", "munyura", env=dict(ENV, LC_ALL="C.UTF-8"))
        check(options and heading in manual.stdout and all(o in manual.stdout for o in options),
              "man %s munyura documents every option of --help: %s" % (language, sorted(options)))
    # The installed game finds its catalogue from its own folder.
    if "ja_jp.utf8" not in run("locale", "-a").stdout.lower().split():
        run("localedef", "-i", "ja_JP", "-f", "UTF-8", "ja_JP.UTF-8")  # root, as above
    usage = run(LAUNCHER, "--help", env=dict(no_display, LANG="ja_JP.UTF-8", LC_ALL="", LANGUAGE=""),
                timeout=30).stdout
    check(usage.startswith("使い方:"), "under ja_JP.UTF-8, --help is Japanese: %r" % usage[:40])

    display = XDisplay()
    display.env.update(XDG_CONFIG_HOME=scratch, HOME=scratch)  # no remembered mute
    try:
        game = InstalledGame(scratch)
        status, errors, _, _ = game.run(display, 3.0, {})
    finally:
        display.close()
    sound = game.captured()
    seconds = len(sound) / 2 / RATE
    loudness = float(numpy.sqrt(numpy.mean(sound[:2 * RATE * 2] ** 2))) if seconds >= 2 else 0.0
    check(status == 0 and errors == [] and loudness > 0.01,
          "it played 3 s with its tune from beside the real executable (%.1f s heard, RMS %.3f), "
          "exited %d, said %r" % (seconds, loudness, status, errors))


def main(deb):
    if os.geteuid() != 0 or installed():
        print("SKIPPED: not root, or munyura is installed here already and this would purge it")
        return 77
    paths = [line.split(None, 5)[5][1:].partition(" -> ")[0].rstrip("/")
             for line in run("dpkg-deb", "--contents", deb, check=True).stdout.splitlines()]
    new = [path for path in paths if not os.path.lexists(path)]
    try:
        with tempfile.TemporaryDirectory() as scratch:
            try_installed(deb, scratch)
    finally:
        run(*APT, "purge", "munyura", check=True, env=ENV)
    left = [path for path in new if os.path.lexists(path)]
    check(not installed() and not left, "apt-get purge leaves nothing of it behind: %s" % left)
    return outcome()


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
