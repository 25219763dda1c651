#!/usr/bin/python3
"""Packs the game's pictures into one file for the page, so that the browser
fetches them in one request rather than one each.

    pack-pictures.py OUT.pack PICTURE...

The pack: the length of its index (4 bytes, little-endian), the index in
UTF-8 JSON, a list of {"name", "type", "length"} in the order given, then the
pictures' bytes one after another in that order.
"""
import json
import pathlib
import struct
import sys

TYPES = {".gif": "image/gif", ".png": "image/png"}


def main():
    out, pictures = pathlib.Path(sys.argv[1]), [pathlib.Path(p) for p in sys.argv[2:]]
    contents = [p.read_bytes() for p in pictures]
    index = json.dumps([{"name": p.name, "type": TYPES[p.suffix], "length": len(c)}
                        for p, c in zip(pictures, contents)], separators=(",", ":")).encode()
    out.write_bytes(struct.pack("<I", len(index)) + index + b"".join(contents))
    return 0


if __name__ == "__main__":
    sys.exit(main())
