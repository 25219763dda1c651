#!/usr/bin/env python3
"""Lays every picture of the game out on one page, with its number.

    tools/make-contact-sheet.py [--out docs/pictures.png]

Reads the committed files in assets/ (what the game ships, not the sources),
so the sheet shows exactly what a player sees: the thirty monuments at their
real size, then the chick in its four directions and the icon, each also
shown enlarged three times. Needs rsvg-convert (Debian: librsvg2-bin) and a
sans-serif font for the numbers.
"""

import argparse
import base64
import pathlib
import subprocess

ROOT = pathlib.Path(__file__).resolve().parent.parent
ASSETS = ROOT / "assets"

MARGIN = 16
CELL = 150
LABEL = 20
COLUMNS = 6
ZOOM = 3
CHICK = ("up", "right", "down", "left")


def data_uri(path):
    kind = "image/gif" if path.suffix == ".gif" else "image/png"
    return "data:%s;base64,%s" % (kind, base64.b64encode(path.read_bytes()).decode("ascii"))


def image(path, x, y, width, height):
    # Nearest-neighbour, so enlarged pixels stay square, as the game draws them.
    return ('<image x="%d" y="%d" width="%d" height="%d" image-rendering="optimizeSpeed" '
            'preserveAspectRatio="none" href="%s"/>' % (x, y, width, height, data_uri(path)))


def label(text, x, y):
    return ('<text x="%d" y="%d" font-family="DejaVu Sans, sans-serif" font-size="13" '
            'fill="#333">%s</text>' % (x, y, text))


def frame(x, y, width, height):
    return ('<rect x="%.1f" y="%.1f" width="%d" height="%d" fill="none" stroke="#bbb"/>'
            % (x - 0.5, y - 0.5, width + 1, height + 1))


def sheet():
    parts = []
    step_x = CELL + MARGIN
    step_y = CELL + LABEL + MARGIN
    for n in range(30):
        x = MARGIN + (n % COLUMNS) * step_x
        y = MARGIN + (n // COLUMNS) * step_y
        parts.append(label("Image2(%d)" % n, x, y + 13))
        parts.append(frame(x, y + LABEL, CELL, CELL))
        parts.append(image(ASSETS / ("monument-%02d.gif" % n), x, y + LABEL, CELL, CELL))

    top = MARGIN + 5 * step_y + MARGIN
    x = MARGIN
    for i, direction in enumerate(CHICK):
        path = ASSETS / ("chick-%s.gif" % direction)
        width, height = (47, 49) if direction in ("up", "down") else (49, 47)
        parts.append(label("Picture1(%d) %s" % (i, direction), x, top + 13))
        parts.append(image(path, x, top + LABEL, width, height))
        parts.append(frame(x, top + LABEL + 60, width * ZOOM, height * ZOOM))
        parts.append(image(path, x, top + LABEL + 60, width * ZOOM, height * ZOOM))
        x += 49 * ZOOM + MARGIN
    parts.append(label("icon", x, top + 13))
    parts.append(image(ASSETS / "icon.png", x, top + LABEL, 64, 64))
    parts.append(image(ASSETS / "icon.png", x + 64 + MARGIN, top + LABEL, 64 * ZOOM, 64 * ZOOM))

    width = MARGIN + COLUMNS * step_x
    height = top + LABEL + 60 + 49 * ZOOM + MARGIN
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d">'
            '<rect width="100%%" height="100%%" fill="#eef3f7"/>%s</svg>'
            % (width, height, "".join(parts)))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", type=pathlib.Path, default=ROOT / "docs" / "pictures.png")
    out = parser.parse_args().out
    out.parent.mkdir(parents=True, exist_ok=True)
    png = subprocess.run(["rsvg-convert", "--format", "png"], input=sheet().encode("utf-8"),
                         check=True, capture_output=True).stdout
    out.write_bytes(png)


if __name__ == "__main__":
    main()
