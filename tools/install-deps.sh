#!/usr/bin/env bash
# Installs the Debian packages the game needs, and only those that are
# missing. With --play, only what building and playing need; with --web, what
# building the browser edition needs (tools/build-web.sh); with --package,
# what making the Debian package needs (tools/package.sh); otherwise also what
# the tests need. Runs apt-get as root (through sudo when needed).
set -euo pipefail

packages=(
  cmake ninja-build g++           # the build
  libsdl2-dev libsdl2-image-dev   # the window, and the pictures' decoder
  libpango1.0-dev libcairo2-dev   # the labels' and the button's text
  fonts-ipafont-gothic            # the Japanese face the game asks for
  libfluidsynth-dev timgm6mb-soundfont   # the tune's synthesiser and its instruments
  gettext po4a                    # the messages' catalogues, and the translated manual page
)
# The browser edition: the compiler to WebAssembly and its optimiser's
# parser, the page's font cut down, its tune encoded, and the native build that
# renders the tune (configured with its tests).
web_build=(emscripten node-acorn fonttools python3-brotli opus-tools sox libgtest-dev python3)
# The Debian package: its library dependencies (dpkg-shlibdeps).
package_build=(dpkg-dev file)
case "${1:-}" in
  --play) ;;
  --web) packages+=("${web_build[@]}") ;;
  --package) packages+=("${package_build[@]}") ;;
  *)
    packages+=("${web_build[@]}" "${package_build[@]}"
      chromium chromium-driver python3-selenium   # the page's tests in a real headless browser
      libgtest-dev                # the test suites
      clang-format                # the code layout check
      clang-14 libclang-rt-14-dev # the MIDI fuzzer (libFuzzer)
      librsvg2-bin python3        # drawing the pictures from their sources (tools/make-pictures.py)
      xvfb xauth xdotool imagemagick x11-utils   # the end-to-end tests: a display, keys, screenshots
      openbox                     # a window manager for fullscreen in the end-to-end tests
      desktop-file-utils          # checking the installed desktop entry
      lintian appstream man-db    # checking the Debian package, its metainfo and manual page
      python3-numpy               # measuring the sound the game plays
      locales                     # the Japanese and French locales the language tests make
    )
    ;;
esac

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
  "${missing[@]}"
