#!/usr/bin/env python3
"""The tune as the game plays it: rendered through the game's own synthesiser
(render_tune), one loop lasts 45 to 90 seconds and peaks between -6 and
-3 dBFS, loud enough to hear and clear of clipping.

    tune_level_test.py RENDER_TUNE TUNE.mid
"""

import subprocess
import sys


def main(render_tune, tune):
    report = subprocess.run([render_tune, tune, "--level"], check=True, capture_output=True,
                            text=True).stdout
    values = dict(line.split() for line in report.splitlines())
    length, peak = float(values["length_seconds"]), float(values["peak_dbfs"])
    print("one loop: %.1f s, peak %.2f dBFS" % (length, peak))
    failures = []
    if not 45 <= length <= 90:
        failures.append("the loop lasts %.1f s, not 45 to 90" % length)
    if not -6 <= peak <= -3:
        failures.append("the tune peaks at %.2f dBFS, not -6 to -3" % peak)
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
