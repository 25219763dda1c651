#!/usr/bin/env bash
# Builds the Debian package of the game, munyura_<version>_<arch>.deb, into
# dist/ (or --out FOLDER).
#
#   tools/package.sh                        a fresh optimised build, with
#                                           Debian's hardening flags, then the package
#   tools/package.sh --build-dir build/release
#                                           the package of a build already made
#                                           (what the tests do, to spare a second build)
#
# CPack makes it from the same install rules as `cmake --install`
# (packaging/CMakeLists.txt); dpkg-shlibdeps computes the libraries it depends on.
set -euo pipefail

build_dir=""
out_dir=dist
while [ $# -gt 0 ]; do
  case $1 in
    --build-dir) build_dir=$(realpath -m "$2"); shift 2 ;;
    --out) out_dir=$(realpath -m "$2"); shift 2 ;;
    *) echo "usage: tools/package.sh [--build-dir DIR] [--out DIR]" >&2; exit 2 ;;
  esac
done
cd "$(dirname "$0")/.."

if [ -z "$build_dir" ]; then
  tools/install-deps.sh --package
  build_dir=$(mktemp -d "${TMPDIR:-/tmp}/munyura-package.XXXXXX")
  trap 'rm -rf "$build_dir"' EXIT
  # The flags every Debian package is built with: fortified string
  # functions, stack protector, read-only relocations, immediate binding.
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
  CPPFLAGS=$(dpkg-buildflags --get CPPFLAGS)
  CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $CPPFLAGS"
  LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
  export CXXFLAGS LDFLAGS
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMUNYURA_BUILD_TESTS=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
fi
# What the install rules take from the build: the game and its message
# catalogues, the translated menu entry and metainfo, and the compressed
# manual pages and changelog.
nice -n 10 cmake --build "$build_dir" --target munyura munyura_menu_entry munyura_documents \
  munyura_manuals

# CPack stages the files in the build folder; only the package leaves it.
staging="$build_dir/deb-staging"
rm -rf "$staging"
cpack --config "$build_dir/CPackConfig.cmake" -B "$staging" >/dev/null
mkdir -p "$out_dir"
for deb in "$staging"/*.deb; do
  mv "$deb" "$out_dir/"
  echo "$out_dir/$(basename "$deb")"
done
rm -rf "$staging"
