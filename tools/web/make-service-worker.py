#!/usr/bin/python3
"""Writes the page's service worker for one build of the page.

    make-service-worker.py WORKER_SOURCE FOLDER   -> FOLDER/service_worker.js

Run last, on the finished folder: the worker lists every other file of it
(FILES) and names its cache by a hash of their paths and bytes (VERSION), so
a change to any file changes the worker's own bytes, and the browser sees a
new version.
"""
import hashlib
import json
import pathlib
import sys

WORKER = "service_worker.js"


def page_files(folder):
    return sorted(path.relative_to(folder).as_posix() for path in folder.rglob("*")
                  if path.is_file() and path.relative_to(folder).as_posix() != WORKER)


def version(folder, files):
    digest = hashlib.sha256()
    for name in files:
        digest.update(name.encode() + b"\0")
        digest.update(hashlib.sha256((folder / name).read_bytes()).digest())
    return digest.hexdigest()[:20]


def main():
    source, folder = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    files = page_files(folder)
    header = (f"// Made by tools/web/make-service-worker.py for this build of the page.\n"
              f"const VERSION = '{version(folder, files)}';\n"
              f"const FILES = {json.dumps(files, indent=2)};\n\n")
    (folder / WORKER).write_text(header + source.read_text(), encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
