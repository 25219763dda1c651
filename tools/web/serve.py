#!/usr/bin/python3
"""Serves a folder on localhost with the types a browser wants for the page.

    serve.py FOLDER [PORT]     PORT 0 (the default) picks a free one

Prints the address on its first line once it listens.
"""
import functools
import http.server
import sys

TYPES = {
    ".wasm": "application/wasm",
    ".js": "text/javascript",
    ".opus": "audio/ogg",
    ".woff2": "font/woff2",
    ".json": "application/json",
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


def main() -> int:
    folder = sys.argv[1]
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 0
    handler = functools.partial(PageHandler, directory=folder)
    with PageServer(("127.0.0.1", port), handler) as server:
        print(f"http://127.0.0.1:{server.server_address[1]}/", flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
