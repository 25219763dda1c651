#!/usr/bin/env bash
# Builds the browser edition and serves it on localhost: open the address it
# prints. Ctrl+C stops the server.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build-web.sh "$@"
echo "Serving build/web/; open the address below in a browser."
exec /usr/bin/python3 tools/web/serve.py build/web "${MUNYURA_WEB_PORT:-8000}"
