#!/usr/bin/python3
"""Serves a folder on localhost with the types a browser wants for the page.

    serve.py FOLDER [PORT] [--unknown-wasm]

PORT 0 (the default) picks a free one. --unknown-wasm sends .wasm as
application/octet-stream, as a host that does not know the type does.
Prints the address on its first line once it listens.
"""
import argparse
import functools
import http.server
import sys

TYPES = {
    ".wasm": "application/wasm",
    ".js": "text/javascript",
    ".opus": "audio/ogg",
    ".woff2": "font/woff2",
    ".json": "application/json",
    ".webmanifest": "application/manifest+json",
    ".pack": "application/octet-stream",
}


class PageHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **TYPES}

    def log_message(self, format, *args):  # quiet: one line per file is noise
        pass


class PageServer(http.server.ThreadingHTTPServer):
    def handle_error(self, request, client_address):
        # A browser that leaves a page (a reload, say) drops the files still
        # coming: nothing went wrong here.
        if not isinstance(sys.exc_info()[1], ConnectionError):
            super().handle_error(request, client_address)


class PlainHostHandler(PageHandler):
    extensions_map = {**PageHandler.extensions_map, ".wasm": "application/octet-stream"}


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folder")
    parser.add_argument("port", nargs="?", type=int, default=0)
    parser.add_argument("--unknown-wasm", action="store_true")
    arguments = parser.parse_args()
    handler = functools.partial(PlainHostHandler if arguments.unknown_wasm else PageHandler,
                                directory=arguments.folder)
    with PageServer(("127.0.0.1", arguments.port), handler) as server:
        print(f"http://127.0.0.1:{server.server_address[1]}/", flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
