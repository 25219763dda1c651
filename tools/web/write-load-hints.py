#!/usr/bin/python3
"""Writes into the page's index.html a hint for every file the first frame
needs, so that the browser fetches them all at once while it reads the page,
instead of one after another as the scripts ask for them.

    write-load-hints.py FOLDER       (FOLDER/index.html is rewritten)

The hints: each module main.js imports, directly or through another, and
statically or not (the game's own munyura.js is imported when the page
starts); the game's WebAssembly, the pack of its pictures and the page's
texts (all fetched by the page's scripts, hence crossorigin); and the font.
"""
import pathlib
import re
import sys

# A static import at the start of a line, possibly over several lines, or an
# import() of a module of the folder.
IMPORT = re.compile(r"^import\s[^;]*?from\s+'(\./[^']+)'|^import\s+'(\./[^']+)'"
                    r"|\bimport\('(\./[^']+)'\)", re.M | re.S)


def modules(folder, entry):
    """Every module entry imports, directly or not, in the order found."""
    found, waiting = [], [entry]
    while waiting:
        text = (folder / waiting.pop(0)).read_text(encoding="utf-8")
        for match in IMPORT.finditer(text):
            name = next(group for group in match.groups() if group)[2:]
            if name not in found and name != entry:
                found.append(name)
                waiting.append(name)
    return found


def hints(folder):
    lines = [f'<link rel="modulepreload" href="{name}">' for name in modules(folder, "main.js")]
    lines += [f'<link rel="preload" href="{p.name}" as="fetch" type="application/wasm" crossorigin>'
              for p in sorted(folder.glob("*.wasm"))]
    lines += [f'<link rel="preload" href="{p.name}" as="fetch" crossorigin>'
              for p in sorted(folder.glob("*.pack")) + sorted(folder.glob("page_messages.json"))]
    lines += [f'<link rel="preload" href="fonts/{p.name}" as="font" type="font/woff2" crossorigin>'
              for p in sorted((folder / "fonts").glob("*.woff2"))]
    return lines


def main():
    folder = pathlib.Path(sys.argv[1])
    page = folder / "index.html"
    text = page.read_text(encoding="utf-8")
    if text.count("</head>") != 1:
        raise SystemExit(f"{page}: no single </head> to put the hints before")
    block = "<!-- Everything the first frame needs, fetched at once. -->\n"
    block += "\n".join(hints(folder)) + "\n"
    page.write_text(text.replace("</head>", block + "</head>"), encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
