#!/usr/bin/env python3
"""The real binary's answers to its command line: what it prints, where, and
its exit status. None of these needs a display.

Usage: command_line_test.py <path to munyura> <the project's version>"""

import os
import subprocess
import sys


def main(binary, version):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    # (arguments, exit status, what stdout holds, what stderr holds)
    cases = [
        (["--version"], 0, "munyura %s\n" % version, ""),
        (["--help"], 0, "--zoom N", ""),
        (["--help", "--zoom", "3"], 0, "Usage:", ""),
        (["--bogus"], 2, "", "unknown option '--bogus'"),
        (["--zoom"], 2, "", "Usage:"),
        (["--zoom", "0"], 2, "", "--zoom takes a whole number"),
        (["--zoom", "abc"], 2, "", "Usage:"),
        (["--fullscreen", "extra"], 2, "", "unknown option 'extra'"),
        # Good options with no display: the game tries to play and says why not.
        (["--zoom", "2", "--mute"], 1, "", "no display"),
    ]
    failures = 0
    for arguments, status, out, err in cases:
        run = subprocess.run([binary] + arguments, env=env, capture_output=True, text=True,
                             timeout=30)
        ok = (run.returncode == status and (out in run.stdout if out else run.stdout == "")
              and (err in run.stderr if err else run.stderr == ""))
        print("%s %s -> %d" % ("ok   " if ok else "FAIL ", " ".join(arguments), run.returncode))
        if not ok:
            failures += 1
            print("      stdout %r\n      stderr %r" % (run.stdout, run.stderr))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
