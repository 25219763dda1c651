#!/usr/bin/env bash
# Builds the browser edition into build/web/: a static folder with index.html
# at its root, the page's scripts and their texts' translations, the game
# compiled to WebAssembly, the pictures, the font cut down to the game's
# characters, the tune rendered through the game's own synthesiser, the app's
# manifest and icons, and the service worker that keeps it all for play
# offline. Installs whatever is missing first (through apt-get) unless given
# --no-install.
set -euo pipefail
cd "$(dirname "$0")/.."

[ "${1:-}" = "--no-install" ] || tools/install-deps.sh --web
# Emscripten's optimiser needs Debian's acorn, which a node not from Debian
# does not look for on its own.
export NODE_PATH=/usr/share/nodejs

wasm=build/web-wasm
out=build/web
staging=build/web.new

# The tune is rendered by the game's own synthesiser, a native tool.
render_tune=${RENDER_TUNE:-}
if [ -z "$render_tune" ]; then
  [ -f build/release/CMakeCache.txt ] || cmake --preset release > /dev/null
  nice -n 10 cmake --build build/release --target render_tune
  render_tune=build/release/desktop/render_tune
fi

[ -f "$wasm/CMakeCache.txt" ] ||
  emcmake cmake -S . -B "$wasm" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMUNYURA_BUILD_TESTS=ON > /dev/null
nice -n 10 cmake --build "$wasm"

rm -rf "$staging"
mkdir -p "$staging/pictures" "$staging/icons"
cp web/page/index.html web/page/manifest.webmanifest web/page/*.js "$staging/"
# The page's texts in the languages of the game's catalogues (po/*.po).
/usr/bin/python3 tools/web/make-page-messages.py po "$staging/page_messages.json"
cp "$wasm/web/munyura.js" "$wasm/web/munyura.wasm" "$staging/"
cp assets/icon.png "$staging/pictures/"
/usr/bin/python3 tools/web/pack-pictures.py "$staging/pictures.pack" assets/chick-*.gif assets/monument-*.gif
cp assets/web/*.png "$staging/icons/"
node "$wasm/web/caption_characters.js" > "$wasm/characters.txt"
/usr/bin/python3 tools/web/make-web-font.py "$wasm/characters.txt" "$staging/fonts"
tools/web/make-web-tune.sh "$render_tune" assets/bdmidi.mid "$staging"
/usr/bin/python3 tools/web/write-load-hints.py "$staging"
# Last: the worker lists and hashes every other file of the folder.
/usr/bin/python3 tools/web/make-service-worker.py web/page/service_worker.js "$staging"
rm -rf "$out"
mv "$staging" "$out"
echo "The page is in $out/ ($(du -sb "$out" | cut -f1) bytes)"
