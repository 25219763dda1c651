#!/usr/bin/env python3
"""The Debian package as a player's system sees it (contents), and installed with apt-get,
played by the name a player types, heard, and purged without a trace (installed: skipped, 77,
unless root, or where munyura is installed already). Usage: package_test.py contents|installed <deb>"""

import os
import re
import subprocess
import sys
import tempfile
from pathlib import Path, PurePosixPath

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import numpy  # noqa: E402
from x_session import RATE, XDisplay, check, has_locale, heard, outcome  # noqa: E402

ID = "io.github.munyura.munyura"
FILE, GAME = "-rw-r--r--", "usr/lib/games/munyura/munyura"
CONTENTS = {  # every file and link: (mode, link target)
    "usr/games/munyura": ("lrwxrwxrwx", "../lib/games/munyura/munyura"),
    GAME: ("-rwxr-xr-x", ""),
    **{path: (FILE, "") for path in (
        "usr/lib/games/munyura/bdmidi.mid", "usr/share/applications/%s.desktop" % ID,
        "usr/share/metainfo/%s.metainfo.xml" % ID, "usr/share/icons/hicolor/scalable/apps/%s.svg" % ID,
        "usr/share/man/man6/munyura.6.gz", "usr/share/man/ja/man6/munyura.6.gz",
        "usr/share/locale/ja/LC_MESSAGES/munyura.mo", "usr/share/doc/munyura/copyright",
        "usr/share/doc/munyura/changelog.gz")},
    **{"usr/share/icons/hicolor/%dx%d/apps/%s.png" % (s, s, ID): (FILE, "")
       for s in (16, 24, 32, 48, 64, 128, 256)}}
LINTIAN_ACCEPTED = {
    "executable-in-usr-lib",  # Debian's place for a game that finds its data beside itself
    "hardening-no-fortify-functions",  # no libc call whose buffer size the compiler knows
    "hardening-no-bindnow"}  # the test's package only: tools/package.sh links with -z now
JAPANESE = "[\u3040-\u30ff]"
LAUNCHER = "/usr/games/munyura"
APT = ["apt-get", "-y", "-o", "DPkg::Lock::Timeout=600", "--no-install-recommends"]
ENV = dict(os.environ, DEBIAN_FRONTEND="noninteractive")


def run(*args, **kwargs):
    return subprocess.run(args, capture_output=True, text=True, **kwargs)


def listing(deb):
    """(path, mode, owner, link target) of every entry of the package."""
    for line in run("dpkg-deb", "--contents", deb, check=True).stdout.splitlines():
        mode, owner, _, _, _, path = line.split(None, 5)
        path, _, target = path[1:].partition(" -> ")
        yield path.rstrip("/"), mode, owner, target


def contents(deb):
    lintian = run("lintian", "--display-info", "--pedantic", "--display-experimental", deb)
    print(lintian.stdout, end="")
    tags = {tag for _, tag in re.findall(r"^([EWIPX]): munyura\S*: (\S+)", lintian.stdout, re.M)}
    check(lintian.returncode == 0 and tags <= LINTIAN_ACCEPTED, "lintian: only accepted tags")

    found = set(listing(deb))
    expected = {("/" + path, mode, "root/root", target) for path, (mode, target) in CONTENTS.items()}
    expected |= {(str(folder), "drwxr-xr-x", "root/root", "") for path in CONTENTS
                 for folder in PurePosixPath("/" + path).parents[:-1]}
    check(found == expected, "every path, mode and owner: %s" % sorted(found ^ expected))

    with tempfile.TemporaryDirectory() as root:
        run("dpkg-deb", "--extract", deb, root, check=True)
        at = lambda path: os.path.join(root, path)  # noqa: E731
        options = set(re.findall(r"--[a-z]+", run(at(GAME), "--help", timeout=30).stdout))
        for page, heading in (("man6", "HOW TO PLAY"), ("ja/man6", "遊び方")):
            man = run("man", "--warnings", "-l", at("usr/share/man/%s/munyura.6.gz" % page),
                      env=dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80"))
            check(man.returncode == 0 and not man.stderr and heading in man.stdout and options
                  and all(o in man.stdout for o in options), "man -l %s: %r" % (page, man.stderr))
        entry = at("usr/share/applications/%s.desktop" % ID)
        desktop = run("desktop-file-validate", entry)
        keys = dict(line.split("=", 1)
                    for line in Path(entry).read_text("utf-8").splitlines() if "=" in line)
        check(desktop.returncode == 0 and not desktop.stdout and keys["Icon"] == ID
              and all(re.search(JAPANESE, keys.get(key + "[ja]", ""))
                      for key in ("Name", "Comment", "Keywords")),
              "the menu entry is valid, shows %s, in Japanese too: %r %s" % (ID, desktop.stdout, keys))
        metainfo = Path(at("usr/share/metainfo/%s.metainfo.xml" % ID)).read_text("utf-8")
        appstream = run("appstreamcli", "validate-tree", "--no-net", "--pedantic", root)
        check(appstream.returncode == 0 and not re.search(r"^[EW]:", appstream.stdout, re.M)
              and all(re.search(r'<%s xml:lang="ja">[^<]*%s' % (element, JAPANESE), metainfo)
                      for element in ("summary", "p", "caption", "keyword")),
              "the metainfo is sound, in Japanese too, and launches the entry\n" + appstream.stdout)

        # Depends: the font, a soundfont, and the packages of the libraries the game links to.
        needed = re.findall(r"NEEDED\s+(\S+)", run("objdump", "-p", at(GAME)).stdout)
        arch = run("dpkg-architecture", "-qDEB_HOST_MULTIARCH").stdout.strip()
        libraries = {line.split(":")[0] for soname in needed
                     for line in run("dpkg", "-S", "*/%s/%s" % (arch, soname)).stdout.splitlines()}
        depends = run("dpkg-deb", "--field", deb, "Depends").stdout.strip()
        check({re.sub(r" \(.*?\)", "", d.strip()) for d in depends.split(",")} == libraries | {
            "fonts-ipafont-gothic", "timgm6mb-soundfont | fluid-soundfont-gm"}, "Depends: " + depends)
    return outcome()


def installed():
    return run("dpkg-query", "-W", "-f=${Status}", "munyura").stdout == "install ok installed"


def install_play_and_purge(deb):
    if os.geteuid() != 0 or installed():
        print("SKIPPED: not root, or munyura is installed here already and this would purge it")
        return 77
    new = [path for path, _, _, _ in listing(deb) if not os.path.lexists(path)]
    try:
        run(*APT, "install", os.path.abspath(deb), env=ENV, check=True)  # and what it depends on
        # The installed game finds its catalogue from its own folder, with no display.
        has_locale("ja_JP.UTF-8")
        usage = run(LAUNCHER, "--help", timeout=30,
                    env=dict(ENV, DISPLAY="", LANG="ja_JP.UTF-8", LC_ALL="", LANGUAGE="")).stdout
        check(usage.startswith("使い方:"), "under ja_JP.UTF-8, --help is Japanese: %r" % usage[:40])
        # Its display gives it a settings folder of its own: no remembered mute.
        with XDisplay() as display, tempfile.TemporaryDirectory() as scratch:
            status, errors, sound, *_ = heard(display, [LAUNCHER], scratch + "/sound", seconds=3)
        seconds = len(sound) / 2 / RATE
        loudness = float(numpy.sqrt(numpy.mean(sound[:2 * RATE * 2] ** 2))) if seconds >= 2 else 0
        check(status == 0 and errors == [] and loudness > 0.01, "it played 3 s with its tune: "
              "%.1f s heard, RMS %.3f, exited %d, said %r" % (seconds, loudness, status, errors))
    finally:
        run(*APT, "purge", "munyura", check=True, env=ENV)
    left = [path for path in new if os.path.lexists(path)]
    check(not installed() and not left, "apt-get purge leaves nothing of it behind: %s" % left)
    return outcome()


if __name__ == "__main__":
    sys.exit({"contents": contents, "installed": install_play_and_purge}[sys.argv[1]](sys.argv[2]))
