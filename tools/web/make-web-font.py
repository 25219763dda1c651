#!/usr/bin/python3
"""Cuts Debian's IPAPGothic down to the characters the game can show, as WOFF2.

    make-web-font.py CHARACTERS.txt OUT_FOLDER

CHARACTERS.txt holds every text the game can put in a caption (the page's
build writes it from the game's own tables). The font's licence treats the
cut-down face as a derived font: it may not carry the original's name, must
travel with the licence, and must say how to put the original back. So the
face is renamed "Munyura Gothic", and the licence and a note lie beside it.
"""
import pathlib
import shutil
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

SOURCE = pathlib.Path("/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf")
LICENCE = pathlib.Path("/usr/share/doc/fonts-ipafont-gothic/copyright")
FAMILY = "Munyura Gothic"
FILE_NAME = "munyura-gothic.woff2"

NOTE = """munyura-gothic.woff2 is a subset of IPAPGothic (Debian package
fonts-ipafont-gothic, file ipagp.ttf), cut down to the characters the game
shows and renamed, as the licence in LICENCE.txt asks of a derived font.
It is made by tools/web/make-web-font.py with fontTools.

To use the original font instead, put ipagp.ttf in this folder and change
the font's url in index.html from fonts/munyura-gothic.woff2 to
fonts/ipagp.ttf (format "truetype").
"""


def rename(font: TTFont) -> None:
    # Every name record that carries the original's name: family, full name,
    # unique id, PostScript name and the typographic family.
    postscript = FAMILY.replace(" ", "")
    for record in font["name"].names:
        if record.nameID in (1, 4, 16, 18):
            record.string = FAMILY
        elif record.nameID == 3:
            record.string = f"{FAMILY}: subset for the browser"
        elif record.nameID == 6:
            record.string = postscript


def main() -> int:
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    text = pathlib.Path(sys.argv[1]).read_text(encoding="utf-8")
    out = pathlib.Path(sys.argv[2])
    out.mkdir(parents=True, exist_ok=True)
    # Printable ASCII as well, so a stray Latin letter never falls back.
    characters = set(text) | {chr(c) for c in range(0x20, 0x7F)}
    characters -= {"\r", "\n"}

    options = subset.Options()
    options.flavor = "woff2"
    options.layout_features = ["*"]
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    # The original's timestamp is kept, so every build makes the same bytes.
    font = TTFont(SOURCE, recalcTimestamp=False)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text="".join(sorted(characters)))
    subsetter.subset(font)
    rename(font)
    font.flavor = "woff2"
    font.save(out / FILE_NAME)
    shutil.copyfile(LICENCE, out / "LICENCE.txt")
    (out / "README.txt").write_text(NOTE, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
