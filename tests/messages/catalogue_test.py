#!/usr/bin/env python3
"""Every catalogue translates every message, none fuzzy, and the templates are what
tools/update-po.sh makes from today's sources. Usage: catalogue_test.py <the project's folder>"""

import glob
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from x_session import check, outcome  # noqa: E402


def without_date(path):
    with open(path, encoding="utf-8") as f:
        return re.sub(r'^"POT-Creation-Date: .*\n', "", f.read(), flags=re.M)


def main(project):
    catalogues = glob.glob(os.path.join(project, "po", "**", "*.po"), recursive=True)
    check(catalogues, "there are catalogues")
    for po in catalogues:
        run = subprocess.run(["msgfmt", "--check", "--statistics", "-o", os.devnull, po],
                             capture_output=True, text=True)
        check(run.returncode == 0 and re.fullmatch(r"\d+ translated messages?\.\n", run.stderr),
              "%s: all translated, none fuzzy: %s" % (po, run.stderr.strip()))
    with tempfile.TemporaryDirectory() as fresh:
        subprocess.run([os.path.join(project, "tools", "update-po.sh"), "--templates-into", fresh],
                       check=True, capture_output=True)
        for template in ("munyura.pot", os.path.join("man", "munyura.pot")):
            check(without_date(os.path.join(fresh, template))
                  == without_date(os.path.join(project, "po", template)),
                  "po/%s is current: tools/update-po.sh makes it again unchanged" % template)
    return outcome()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
