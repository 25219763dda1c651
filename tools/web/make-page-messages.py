#!/usr/bin/env python3
"""Writes the page's translations as JSON, from the game's own catalogues:
for each language in po/LINGUAS, the messages of web/page/*.js (as the
catalogue's source references say) with their translations,
{"ja": {"English text": "日本語の文", ...}}. Untranslated and fuzzy messages
are left out, so the page shows them in English.

Usage: make-page-messages.py <po folder> <output.json>"""

import json
import os
import struct
import subprocess
import sys
import tempfile


def read_mo(path):
    """The messages of a compiled catalogue, without its header."""
    with open(path, "rb") as f:
        data = f.read()
    order = "<" if data[:4] == b"\xde\x12\x04\x95" else ">"
    _, count, originals, translations = struct.unpack(order + "4I", data[4:20])

    def string(table, n):
        length, offset = struct.unpack(order + "2I", data[table + 8 * n:table + 8 * n + 8])
        return data[offset:offset + length].decode("utf-8")

    return {string(originals, n): string(translations, n)
            for n in range(count) if string(originals, n)}


def page_messages(po):
    with tempfile.TemporaryDirectory() as scratch:
        page_po, mo = os.path.join(scratch, "page.po"), os.path.join(scratch, "page.mo")
        subprocess.run(["msggrep", "--location=web/page/*", "-o", page_po, po], check=True)
        subprocess.run(["msgfmt", "--check", "-o", mo, page_po], check=True)
        return read_mo(mo)


def main(folder, output):
    with open(os.path.join(folder, "LINGUAS"), encoding="utf-8") as f:
        languages = [word for line in f for word in line.split("#")[0].split()]
    catalogues = {language: page_messages(os.path.join(folder, language + ".po"))
                  for language in languages}
    with open(output, "w", encoding="utf-8") as f:
        json.dump(catalogues, f, ensure_ascii=False, sort_keys=True, indent=1)
        f.write("\n")


if __name__ == "__main__":
    main(*sys.argv[1:])
