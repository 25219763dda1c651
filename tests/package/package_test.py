#!/usr/bin/env python3
"""The Debian package as a player's system sees it: lintian, every path with
its mode, the manual pages, the menu entry, the metainfo (with their Japanese)
and the Depends.

Usage: package_test.py <munyura_*.deb>"""

import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from x_session import check, failures  # noqa: E402

ID = "io.github.munyura.munyura"
FILE, LINK = "-rw-r--r--", "lrwxrwxrwx"
CONTENTS = {  # every file and link: (mode, link target)
    "usr/games/munyura": (LINK, "../lib/games/munyura/munyura"),
    "usr/lib/games/munyura/munyura": ("-rwxr-xr-x", None),
    "usr/lib/games/munyura/bdmidi.mid": (FILE, None),
    "usr/share/applications/%s.desktop" % ID: (FILE, None),
    "usr/share/metainfo/%s.metainfo.xml" % ID: (FILE, None),
    "usr/share/icons/hicolor/scalable/apps/%s.svg" % ID: (FILE, None),
    "usr/share/man/man6/munyura.6.gz": (FILE, None),
    "usr/share/man/ja/man6/munyura.6.gz": (FILE, None),
    "usr/share/locale/ja/LC_MESSAGES/munyura.mo": (FILE, None),
    "usr/share/doc/munyura/copyright": (FILE, None),
    "usr/share/doc/munyura/changelog.gz": (FILE, None),
    **{"usr/share/icons/hicolor/%dx%d/apps/%s.png" % (s, s, ID): (FILE, None)
       for s in (16, 24, 32, 48, 64, 128, 256)}}
LINTIAN_ACCEPTED = {
    # Debian keeps a game that finds its data beside itself in
    # /usr/lib/games/<package>; an experimental tag.
    "executable-in-usr-lib",
    # The code calls no libc function whose buffer size the compiler knows,
    # so nothing is fortified although tools/package.sh asks for it.
    "hardening-no-fortify-functions",
    # Only for the test's package, made from the Release build without
    # dpkg-buildflags; tools/package.sh links with -z now.
    "hardening-no-bindnow"}


def run(*args, **kwargs):
    return subprocess.run(args, capture_output=True, text=True, **kwargs)


def main(deb):
    lintian = run("lintian", "--display-info", "--pedantic", "--display-experimental", deb)
    print(lintian.stdout, end="")
    tags = re.findall(r"^([EWIPX]): munyura\S*: (\S+)", lintian.stdout, re.M)
    check(lintian.returncode == 0 and all(kind != "E" for kind, _ in tags),
          "lintian finds no error")
    check({tag for _, tag in tags} <= LINTIAN_ACCEPTED, "and nothing beyond the accepted tags")

    found, folders, owners = {}, set(), set()
    for line in run("dpkg-deb", "--contents", deb, check=True).stdout.splitlines():
        mode, owner, _, _, _, path = line.split(None, 5)
        path, _, target = path[2:].rstrip("/").partition(" -> ")
        owners.add(owner)
        if not path:  # the archive's own root, "./"
            continue
        if mode[0] == "d":
            folders.add((path, mode))
        else:
            found[path] = (mode, target or None)
    parents = {(os.path.dirname(path[:i + 1]), "drwxr-xr-x") for path in CONTENTS
               for i, c in enumerate(path) if c == "/"}
    check(found == CONTENTS and folders == parents and owners == {"root/root"},
          "every path, mode and owner as in the table: %s %s"
          % (sorted(set(found.items()) ^ set(CONTENTS.items()) | folders ^ parents), owners))

    with tempfile.TemporaryDirectory() as root:
        run("dpkg-deb", "--extract", deb, root, check=True)
        at = lambda path: os.path.join(root, path)  # noqa: E731
        for page, heading in (("man6", "HOW TO PLAY"), ("ja/man6", "遊び方")):
            man = run("man", "--warnings", "-l", at("usr/share/man/%s/munyura.6.gz" % page),
                      env=dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80"))
            check(man.returncode == 0 and not man.stderr and "--zoom" in man.stdout
                  and heading in man.stdout,
                  "man -l renders %s/munyura.6 without a warning: %r" % (page, man.stderr))
        entry = at("usr/share/applications/%s.desktop" % ID)
        desktop = run("desktop-file-validate", entry)
        with open(entry, encoding="utf-8") as f:
            keys = dict(line.split("=", 1) for line in f.read().splitlines() if "=" in line)
        check(desktop.returncode == 0 and not desktop.stdout and keys["Icon"] == ID,
              "desktop-file-validate, and the entry's icon is %s: %r" % (keys["Icon"], desktop.stdout))
        check(all(re.search("[\u3040-\u30ff]", keys.get(key + "[ja]", ""))
                  for key in ("Name", "Comment", "Keywords")),
              "the entry's Name, Comment and Keywords in Japanese: %s"
              % {k: v for k, v in keys.items() if k.endswith("[ja]")})
        with open(at("usr/share/metainfo/%s.metainfo.xml" % ID), encoding="utf-8") as f:
            metainfo = f.read()
        check(all(re.search(r'<%s xml:lang="ja">[^<]*[\u3040-\u30ff]' % element, metainfo)
                  for element in ("summary", "p", "caption", "keyword")),
              "the metainfo's summary, description, captions and keywords in Japanese")
        appstream = run("appstreamcli", "validate-tree", "--no-net", "--pedantic", root)
        check(appstream.returncode == 0 and not re.search(r"^[EW]:", appstream.stdout, re.M),
              "appstreamcli validate-tree --no-net: the metainfo is sound and launches the entry\n"
              + appstream.stdout)

        # Depends: the font, a soundfont, and exactly the packages of the
        # libraries the executable links to.
        game = at("usr/lib/games/munyura/munyura")
        needed = re.findall(r"NEEDED\s+(\S+)", run("objdump", "-p", game).stdout)
        arch = run("dpkg-architecture", "-qDEB_HOST_MULTIARCH").stdout.strip()
        library_packages = {line.split(":")[0] for soname in needed
                  for line in run("dpkg", "-S", "*/%s/%s" % (arch, soname)).stdout.splitlines()}
        depends = run("dpkg-deb", "--field", deb, "Depends").stdout.strip()
        check({re.sub(r" \(.*?\)", "", d.strip()) for d in depends.split(",")} == library_packages | {
            "fonts-ipafont-gothic", "timgm6mb-soundfont | fluid-soundfont-gm"},
            "Depends: the font, a soundfont and the libraries' packages: " + depends)
    print("%d check(s) failed" % len(failures) if failures else "all passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
