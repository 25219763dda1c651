#!/usr/bin/env bash
# Installs what is missing, builds the game optimised, and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh --play
cmake --preset play >/dev/null
cmake --build --preset play
exec build/play/desktop/munyura
