#!/usr/bin/env python3
"""The real binary's answers to its command line in the player's language (Japanese, or
English for the C locale), its streams and exit status; in Japanese, a missing tune and the
muted title. Usage: command_line_test.py <munyura> <version>"""
import os
import shutil
import subprocess
import sys
import tempfile

from x_session import XDisplay, check, has_locale, heard, outcome

C, JA, FR = {"LANG": "C.UTF-8"}, {"LANG": "ja_JP.UTF-8"}, {"LANG": "fr_FR.UTF-8"}
# (arguments, language variables, exit status, the stream written on, how it
# begins: all of it when that ends a line); the parse is command_line_tests'.
CASES = [
    (["--version"], C, 0, "stdout", "munyura {version}\n"),
    # Good options with no display: the game tries to play and says why not.
    (["--zoom", "2", "--mute"], C, 1, "stderr", "ムニュラ: no display to open the window on "
                                                "(neither DISPLAY nor WAYLAND_DISPLAY is set)\n"),
    ([], dict(C, DISPLAY=":4095"), 1, "stderr", "ムニュラ: no display to open the window on: "),
    (["--help"], JA, 0, "stdout", "使い方: "),
    (["--bogus"], JA, 2, "stderr", "ムニュラ: '--bogus' というオプションはありません"),
    # LANGUAGE lists the languages to try, before the locale's own.
    (["--help"], dict(FR, LANGUAGE="ja:fr"), 0, "stdout", "使い方: "),
    # LC_ALL wins over LANG; the C locale is English whatever LANGUAGE says.
    (["--help"], dict(JA, LC_ALL="C", LANGUAGE="ja"), 0, "stdout", "Usage: "),
]
ENV = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
ENV.update(LANGUAGE="", LC_ALL="", LC_MESSAGES="")


def main(binary, version):
    binary = os.path.abspath(binary)
    missing = sorted({env["LANG"] for env in (C, JA, FR) if not has_locale(env["LANG"])})
    for arguments, env, status, stream, text in CASES:
        if env["LANG"] in missing:
            continue
        got = subprocess.run([binary] + arguments, env=ENV | env, capture_output=True, text=True,
                             timeout=30)
        said, other = (got.stdout, got.stderr) if stream == "stdout" else (got.stderr, got.stdout)
        text = text.format(version=version)
        check(got.returncode == status and other == ""
              and (said == text if text.endswith("\n") else said.startswith(text)),
              f"{env} {' '.join(arguments)} -> {got.returncode} ({status}), {stream}: {said[:80]!r}")
    # Its catalogues but not its tune beside it, muted: in English the other tests hear both.
    if JA["LANG"] not in missing:
        with tempfile.TemporaryDirectory() as folder, XDisplay(private=True) as display:
            shutil.copytree(os.path.join(os.path.dirname(binary), "locale"), folder + "/locale")
            _, said, _, _, title = heard(display, [shutil.copy2(binary, folder), "--mute"],
                                         folder + "/sound", dict(JA, SDL_AUDIODRIVER="dummy"),
                                         look=display.window_name)
        check(len(said) == 1 and said[0].startswith("ムニュラ: 曲を再生できません (")
              and title == "ムニュラ (消音中)", f"Japanese, without its tune: {said!r}, {title!r}")
    if missing:
        print(f"SKIPPED the cases under {missing}: only root can make them (localedef)")
    return outcome() or (77 if missing else 0)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
