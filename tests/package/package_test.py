#!/usr/bin/env python3
"""Checks the Debian package as a player's system will see it: what lintian
says of it, every path it holds with its mode, the link that starts the game,
the manual page, the menu entry, the metainfo, the icons, and its Depends.

Usage: package_test.py <munyura_*.deb> <source folder>"""

import gzip
import os
import re
import subprocess
import sys
import tempfile

GAME_DIR = "usr/lib/games/munyura"
APP_ID = "io.github.munyura.munyura"
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)
NAMED_DEPENDS = {"fonts-ipafont-gothic", "timgm6mb-soundfont | fluid-soundfont-gm"}

# Every file and link of the package: its mode, and for a link its target.
CONTENTS = {
    "usr/games/munyura": ("lrwxrwxrwx", "../lib/games/munyura/munyura"),
    GAME_DIR + "/munyura": ("-rwxr-xr-x", None),
    GAME_DIR + "/bdmidi.mid": ("-rw-r--r--", None),
    "usr/share/applications/%s.desktop" % APP_ID: ("-rw-r--r--", None),
    "usr/share/metainfo/%s.metainfo.xml" % APP_ID: ("-rw-r--r--", None),
    "usr/share/icons/hicolor/scalable/apps/%s.svg" % APP_ID: ("-rw-r--r--", None),
    "usr/share/man/man6/munyura.6.gz": ("-rw-r--r--", None),
    "usr/share/doc/munyura/copyright": ("-rw-r--r--", None),
    "usr/share/doc/munyura/changelog.gz": ("-rw-r--r--", None),
}
CONTENTS.update({"usr/share/icons/hicolor/%dx%d/apps/%s.png" % (s, s, APP_ID): ("-rw-r--r--", None)
                 for s in ICON_SIZES})

# What lintian may still say, and why it stays.
LINTIAN_ACCEPTED = {
    # Debian's place for a game that finds its data beside itself is
    # /usr/lib/games/<package>; the tag is experimental.
    "executable-in-usr-lib",
    # Only when the package is made from the test build, which lacks
    # dpkg-buildflags' hardening flags; tools/package.sh builds with them.
    "hardening-no-bindnow", "hardening-no-fortify-functions",
}

failures = []


def check(condition, what):
    print(("ok    " if condition else "FAIL  ") + what, flush=True)
    if not condition:
        failures.append(what)


def run(*args, **kwargs):
    return subprocess.run(args, capture_output=True, text=True, **kwargs)


def lintian(deb):
    said = run("lintian", "--display-info", "--pedantic", "--display-experimental", "--no-tag-display-limit",
               deb).stdout
    tags = re.findall(r"^([EWIPX]): munyura[^:]*: (\S+)", said, re.M)
    print(said, end="")
    check(not [tag for kind, tag in tags if kind == "E"], "lintian finds no error")
    unexpected = sorted({tag for _, tag in tags} - LINTIAN_ACCEPTED)
    check(not unexpected, "lintian says nothing beyond the accepted tags: %s" % unexpected)


def contents(deb):
    listing = run("dpkg-deb", "--contents", deb, check=True).stdout.splitlines()
    found, folders, owners = {}, set(), set()
    for line in listing:
        mode, owner, _, _, _, path = line.split(None, 5)
        path, _, target = path[2:].partition(" -> ")
        owners.add(owner)
        if mode.startswith("d"):
            folders.add((path.rstrip("/"), mode))
        else:
            found[path] = (mode, target or None)
    check(owners == {"root/root"}, "everything belongs to root: %s" % owners)
    parents = {(os.path.dirname(path[:i] + "/x"), "drwxr-xr-x") for path in CONTENTS
               for i in range(len(path)) if path[i] == "/"}
    check(folders == parents, "the folders are the files' and drwxr-xr-x: %s"
          % sorted(folders ^ parents))
    check(found == CONTENTS, "every path and mode as in the table: extra %s, missing or wrong %s"
          % (sorted(set(found.items()) - set(CONTENTS.items())),
             sorted(set(CONTENTS.items()) - set(found.items()))))


def same_bytes(a, b):
    with open(a, "rb") as fa, open(b, "rb") as fb:
        return fa.read() == fb.read()


def installed_files(deb, root, source):
    subprocess.run(["dpkg-deb", "--extract", deb, root], check=True)
    at = lambda path: os.path.join(root, path)  # noqa: E731
    check(same_bytes(at(GAME_DIR + "/bdmidi.mid"), os.path.join(source, "assets/bdmidi.mid")),
          "the tune lies beside the game")
    for size in ICON_SIZES:
        icon = at("usr/share/icons/hicolor/%dx%d/apps/%s.png" % (size, size, APP_ID))
        check(same_bytes(icon, os.path.join(source, "assets/hicolor/icon-%d.png" % size)),
              "the %d-pixel icon is the one the pictures' tools draw" % size)

    manual = run("man", "--warnings", "-l", at("usr/share/man/man6/munyura.6.gz"),
                 env=dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80", MAN_KEEP_FORMATTING=""))
    check(manual.returncode == 0 and manual.stderr == "" and "ムニュラ" in manual.stdout
          and "--zoom" in manual.stdout,
          "man -l renders the manual page without a warning %r" % manual.stderr[:300])

    desktop = at("usr/share/applications/%s.desktop" % APP_ID)
    said = run("desktop-file-validate", desktop)
    check(said.returncode == 0 and not said.stdout, "desktop-file-validate: %r" % said.stdout)
    with open(desktop, encoding="utf-8") as f:
        entry = f.read()
    check("\nIcon=%s\n" % APP_ID in entry and "\nExec=munyura\n" in entry,
          "the menu entry starts munyura with the icon named by the application ID")
    said = run("appstreamcli", "validate-tree", "--no-net", "--pedantic", root)
    check(said.returncode == 0 and not re.search(r"^[EW]:", said.stdout, re.M),
          "appstreamcli validate-tree --no-net: no error or warning\n" + said.stdout)
    with open(at("usr/share/metainfo/%s.metainfo.xml" % APP_ID), encoding="utf-8") as f:
        metainfo = f.read()
    check("<id>%s</id>" % APP_ID in metainfo and "%s.desktop</launchable>" % APP_ID in metainfo,
          "the metainfo has the same ID and launches the menu entry")

    with gzip.open(at("usr/share/doc/munyura/changelog.gz"), "rt", encoding="utf-8") as f:
        newest = re.match(r"munyura \(([^)]+)\)", f.read()).group(1)
    version = run("dpkg-deb", "--field", deb, "Version").stdout.strip()
    check(newest == version, "the changelog's newest entry %s is the package's %s"
          % (newest, version))


def depends(deb, root):
    """Named: the font and the soundfont; the rest exactly the packages of the
    libraries the executable links to."""
    field = run("dpkg-deb", "--field", deb, "Depends").stdout.strip()
    listed = {re.sub(r" \([^)]*\)", "", part.strip()) for part in field.split(",")}
    needed = re.findall(r"NEEDED\s+(\S+)",
                        run("objdump", "-p", os.path.join(root, GAME_DIR, "munyura")).stdout)
    multiarch = run("dpkg-architecture", "-qDEB_HOST_MULTIARCH").stdout.strip()
    owners = {line.split(":")[0] for soname in needed
              for line in run("dpkg", "-S", "*/%s/%s" % (multiarch, soname)).stdout.splitlines()}
    check(NAMED_DEPENDS <= listed and listed - NAMED_DEPENDS == owners,
          "Depends is the font, a soundfont and the libraries' packages: %s" % field)


def main(deb, source):
    lintian(deb)
    contents(deb)
    with tempfile.TemporaryDirectory() as root:
        installed_files(deb, root, source)
        depends(deb, root)
    if failures:
        print("%d check(s) failed" % len(failures))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
