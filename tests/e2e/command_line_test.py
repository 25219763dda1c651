#!/usr/bin/env python3
"""The real binary's answers to its command line: what it prints, where, and
its exit status; then the same answers, a missing tune and the muted window's
title in the player's language (Japanese, or English for the C locale and
for a language without a catalogue).

Usage: command_line_test.py <path to munyura> <the project's version>"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

from x_session import XDisplay, check, outcome, running

SKIPPED = 77
JAPANESE = ("使い方: ", "'--bogus' というオプションはありません", "ムニュラ: 曲を再生できません (",
            "ムニュラ (消音中)")
ENGLISH = ("Usage: ", "unknown option '--bogus'", "ムニュラ: no music: ", "ムニュラ (muted)")
# (the locale the system must have, the environment's language variables,
# then --help's first words, a bad option's line, the missing tune's line and
# the muted window's title in the language they choose)
LANGUAGES = [
    ("ja_JP.UTF-8", {"LANG": "ja_JP.UTF-8"}, JAPANESE),
    ("C.UTF-8", {"LANG": "C.UTF-8"}, ENGLISH),
    # A language without a catalogue.
    ("fr_FR.UTF-8", {"LANG": "fr_FR.UTF-8"}, ENGLISH),
    # LANGUAGE lists the languages to try, before the locale's own.
    ("fr_FR.UTF-8", {"LANG": "fr_FR.UTF-8", "LANGUAGE": "ja:fr"}, JAPANESE),
    # LC_ALL wins over LANG; the C locale is English whatever LANGUAGE says.
    ("ja_JP.UTF-8", {"LANG": "ja_JP.UTF-8", "LC_ALL": "C", "LANGUAGE": "ja"}, ENGLISH),
]


def answers(binary, version, env):
    """Which stream each answer goes to and the exit status; the parse itself
    is command_line_tests' table."""
    cases = [  # (arguments, exit status, what stdout holds, what stderr holds)
        (["--version"], 0, "munyura %s\n" % version, ""),
        (["--help", "--zoom", "3"], 0, "--zoom N", ""),
        (["--zoom", "0"], 2, "", "--zoom takes a whole number"),
        (["--fullscreen", "extra"], 2, "", "unknown option 'extra'"),
        # Good options with no display: the game tries to play and says why not.
        (["--zoom", "2", "--mute"], 1, "", "no display"),
    ]
    for arguments, status, out, err in cases:
        run = subprocess.run([binary] + arguments, env=env, capture_output=True, text=True,
                             timeout=30)
        check(run.returncode == status and (out in run.stdout if out else run.stdout == "")
              and (err in run.stderr if err else run.stderr == ""),
              "%s -> %d: stdout %r, stderr %r" % (" ".join(arguments), run.returncode,
                                                  run.stdout[:60], run.stderr[:80]))


def locale_available(name):
    """Whether glibc has the locale, generating it (as root) when it is missing."""
    def known():  # locale -a spells ja_JP.UTF-8 as ja_JP.utf8
        listed = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout
        return name.lower().replace("-", "") in listed.lower().split()
    if known():
        return True
    if os.geteuid() != 0:
        return False
    language, charset = name.split(".")
    subprocess.run(["localedef", "-i", language, "-f", charset, name], capture_output=True)
    return known()


def in_a_tuneless_folder(binary, scratch, display, env):
    """The game copied with its catalogues but without bdmidi.mid, played
    muted until it says why there is no music. Returns (its lines on
    stderr, the window's title)."""
    folder = os.path.join(scratch, "no tune")
    os.makedirs(folder)
    shutil.copy2(binary, folder)
    shutil.copytree(os.path.join(os.path.dirname(binary), "locale"), os.path.join(folder, "locale"))
    errors_path = os.path.join(scratch, "errors.txt")
    with open(errors_path, "w", encoding="utf-8") as errors, \
            running([os.path.join(folder, "munyura"), "--mute"], stderr=errors,
                    env=dict(display.env, SDL_AUDIODRIVER="dummy", **env)) as game:
        window = display.find_window(game)
        title = display.window_name(window)
        deadline = time.monotonic() + 30  # a wait, not a measure: the line comes on a tick
        while time.monotonic() < deadline and os.path.getsize(errors_path) == 0:
            time.sleep(0.1)
        display.close_window(window)
        game.wait(timeout=30)
    with open(errors_path, encoding="utf-8") as f:
        return f.read().splitlines(), title


def in_languages(binary, display):
    skipped = []
    for locale, variables, (usage, bad_option, no_music, muted_title) in LANGUAGES:
        if not locale_available(locale):
            skipped.append(locale)
            continue
        env = {"LC_ALL": "", "LC_MESSAGES": "", "LANGUAGE": ""} | variables
        name = " ".join("%s=%s" % item for item in variables.items())
        quiet = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        help_text = subprocess.run([binary, "--help"], env=quiet | env, capture_output=True,
                                   text=True, timeout=30)
        check(help_text.returncode == 0 and help_text.stdout.startswith(usage),
              "%s: --help begins %r: %r" % (name, usage, help_text.stdout[:40]))
        bad = subprocess.run([binary, "--bogus"], env=quiet | env, capture_output=True, text=True,
                             timeout=30)
        check(bad.returncode == 2 and not bad.stdout
              and bad.stderr.startswith("ムニュラ: " + bad_option),
              "%s: --bogus exits 2 saying %r: %r" % (name, bad_option, bad.stderr[:80]))
        with tempfile.TemporaryDirectory() as scratch:
            lines, title = in_a_tuneless_folder(binary, scratch, display, env)
        check(len(lines) == 1 and lines[0].startswith(no_music),
              "%s: without its tune the game says %r...: %r" % (name, no_music, lines))
        check(title == muted_title, "%s: muted, the window is titled %r: %r"
              % (name, muted_title, title))
    return skipped


def main(binary, version):
    binary = os.path.abspath(binary)
    english = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "WAYLAND_DISPLAY", "LANGUAGE", "LC_ALL", "LC_MESSAGES")}
    answers(binary, version, dict(english, LANG="C.UTF-8"))
    display = XDisplay(private=True)
    try:
        skipped = in_languages(binary, display)
    finally:
        display.close()
    if skipped:
        print("SKIPPED the cases under %s: the locales are missing, and only root can make them "
              "(localedef)" % ", ".join(sorted(set(skipped))))
    return outcome() or (SKIPPED if skipped else 0)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
