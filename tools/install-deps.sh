#!/usr/bin/env bash
# Installs the Debian packages the game needs to build and test, and only
# those that are missing. Runs apt-get as root (through sudo when needed).
set -euo pipefail

packages=(
  cmake ninja-build g++   # the build
  libgtest-dev            # the logic's test suites
  clang-format            # the code layout check
  libsdl2-dev             # the window, and the surfaces pictures decode into
  libsdl2-image-dev       # the picture decoder
  librsvg2-bin python3    # drawing the pictures from their sources (tools/make-pictures.py)
  libpango1.0-dev libcairo2-dev   # the labels' and the button's text
  fonts-ipafont-gothic            # the Japanese face the game asks for
)

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
