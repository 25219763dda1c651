#!/usr/bin/env python3
"""Draws the game's pictures from their SVG sources in assets/src.

    tools/make-pictures.py [--out FOLDER]

Writes into FOLDER (assets/ by default):
  monument-00.gif .. monument-29.gif  150 x 150, black on white
  chick-up.gif, chick-right.gif, chick-down.gif, chick-left.gif
  icon.png                            64 x 64, 16 colours with a mask
  hicolor/icon-16.png .. icon-256.png the desktop's icon, full colour with
                                      alpha, at the sizes of the hicolor theme
  web/icon-192.png, web/icon-512.png  the page's icon when installed as an app
  web/icon-maskable-512.png           the same chick on the title band's green,
                                      within the circle a launcher's mask keeps

Every monument is thresholded to pure black and white. The chick is drawn
once, facing up, and turned by whole quarters pixel for pixel, so the four
are exactly the same creature. The icon is mapped onto the sixteen colours
of the classic VGA palette, with magenta as its transparency mask; the
desktop's icons are the same drawing in full colour, one per size, since a
menu or a dock shows it far smaller or larger than the window's 64 pixels.

Needs rsvg-convert (Debian: librsvg2-bin) and python3; the output is the
same, byte for byte, on every run.
"""

import argparse
import pathlib
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from picture_codecs import (Bitmap, read_rgba_png, write_gif, write_indexed_png,  # noqa: E402
                            write_rgba_png)

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCES = ROOT / "assets" / "src"

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
MAGENTA = (255, 0, 255)

CHICK_DIRECTIONS = ("up", "right", "down", "left")

# The sizes of the hicolor icon theme that menus, docks and launchers ask for.
HICOLOR_SIZES = (16, 24, 32, 48, 64, 128, 256)

# The sizes an installed page's launcher and splash screen ask for.
WEB_SIZES = (192, 512)

# A launcher may cut a maskable icon to any shape that holds the central
# circle of 80 % of its width; the chick is drawn smaller than that circle,
# on the title band's green (the green of Label1) reaching to every edge.
MASKABLE_SIZE = 512
MASKABLE_DRAWING = 0.72
TITLE_BAND_GREEN = "#00ff00"
SVG = "http://www.w3.org/2000/svg"

# The sixteen colours of the VGA palette; magenta is kept for the mask.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def render(svg, width, height):
    """The SVG (a file, or its text as bytes) as rows of RGBA bytes, at
    exactly width x height."""
    from_text = isinstance(svg, bytes)
    png = subprocess.run(
        ["rsvg-convert", "--width", str(width), "--height", str(height),
         "--format", "png"] + ([] if from_text else [str(svg)]),
        input=svg if from_text else None, check=True, capture_output=True,
    ).stdout
    got_width, got_height, rows = read_rgba_png(png)
    if (got_width, got_height) != (width, height):
        raise SystemExit("%s: drew %dx%d, wanted %dx%d"
                         % (svg, got_width, got_height, width, height))
    return rows


def pixels_of(rows):
    for row in rows:
        for i in range(0, len(row), 4):
            yield row[i], row[i + 1], row[i + 2], row[i + 3]


def is_dark(r, g, b, a):
    """Dark once laid on white: the threshold that turns soft edges into the
    one-pixel hard strokes of a drawing made with a mouse."""
    def on_white(channel):
        return channel * a + 255 * (255 - a)
    luminance = 299 * on_white(r) + 587 * on_white(g) + 114 * on_white(b)
    return luminance < 1000 * 255 * 128


def monument(svg):
    rows = render(svg, 150, 150)
    # Index 0 white, 1 black.
    pixels = [1 if is_dark(*p) else 0 for p in pixels_of(rows)]
    return Bitmap(150, 150, [WHITE, BLACK], pixels)


def chick_facing_up(svg):
    rows = render(svg, 47, 49)
    # Index 0 is the transparent key, 1 black, 2 white; 3 is unused.
    pixels = [0 if a < 128 else 1 if is_dark(r, g, b, 255) else 2
              for r, g, b, a in pixels_of(rows)]
    return Bitmap(47, 49, [MAGENTA, BLACK, WHITE, WHITE], pixels, transparent=0)


def nearest_vga(r, g, b):
    return min((i for i in range(16) if VGA[i] != MAGENTA),
               key=lambda i: (VGA[i][0] - r) ** 2 * 3 + (VGA[i][1] - g) ** 2 * 4
               + (VGA[i][2] - b) ** 2 * 2)


def icon(svg):
    rows = render(svg, 64, 64)
    mask = VGA.index(MAGENTA)
    pixels = [mask if a < 128 else nearest_vga(r, g, b) for r, g, b, a in pixels_of(rows)]
    return Bitmap(64, 64, VGA, pixels, transparent=mask)


def maskable_icon_svg(svg):
    """The icon's drawing shrunk into the middle of a square of green: the
    same SVG nested in an outer one, so the pipeline draws both alike."""
    ElementTree.register_namespace("", SVG)
    drawing = ElementTree.parse(svg).getroot()
    size = float(drawing.get("width"))
    inset = size * (1 - MASKABLE_DRAWING) / 2
    drawing.set("viewBox", drawing.get("viewBox") or "0 0 %g %g" % (size, size))
    drawing.attrib.update(x="%g" % inset, y="%g" % inset, width="%g" % (size - 2 * inset),
                          height="%g" % (size - 2 * inset))
    outer = ElementTree.Element("{%s}svg" % SVG, width="%g" % size, height="%g" % size,
                                viewBox="0 0 %g %g" % (size, size))
    ElementTree.SubElement(outer, "{%s}rect" % SVG, width="100%", height="100%",
                           fill=TITLE_BAND_GREEN)
    outer.append(drawing)
    return ElementTree.tostring(outer)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", type=pathlib.Path, default=ROOT / "assets")
    out = parser.parse_args().out
    out.mkdir(parents=True, exist_ok=True)

    for n in range(30):
        name = "monument-%02d" % n
        (out / (name + ".gif")).write_bytes(write_gif(monument(SOURCES / (name + ".svg"))))

    chick = chick_facing_up(SOURCES / "chick.svg")
    for direction in CHICK_DIRECTIONS:
        (out / ("chick-%s.gif" % direction)).write_bytes(write_gif(chick))
        chick = chick.turned_clockwise()

    (out / "icon.png").write_bytes(write_indexed_png(icon(SOURCES / "icon.svg")))

    (out / "hicolor").mkdir(exist_ok=True)
    for size in HICOLOR_SIZES:
        rows = render(SOURCES / "icon.svg", size, size)
        (out / "hicolor" / ("icon-%d.png" % size)).write_bytes(write_rgba_png(size, size, rows))

    (out / "web").mkdir(exist_ok=True)
    for size in WEB_SIZES:
        rows = render(SOURCES / "icon.svg", size, size)
        (out / "web" / ("icon-%d.png" % size)).write_bytes(write_rgba_png(size, size, rows))
    rows = render(maskable_icon_svg(SOURCES / "icon.svg"), MASKABLE_SIZE, MASKABLE_SIZE)
    (out / "web" / ("icon-maskable-%d.png" % MASKABLE_SIZE)).write_bytes(
        write_rgba_png(MASKABLE_SIZE, MASKABLE_SIZE, rows))


if __name__ == "__main__":
    main()
