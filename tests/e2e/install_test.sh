#!/usr/bin/env bash
# Installs the built game into a scratch prefix and checks what lands there:
# the game in its own folder (where its tune belongs), bin/munyura leading to
# it, its tune beside it, a valid desktop entry named ムニュラ, and the icon in the hicolor theme.
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" >/dev/null
fail() { echo "FAIL: $*"; exit 1; }

game="$prefix/libexec/munyura/munyura"
[ -x "$game" ] || fail "no executable at $game"
[ "$(readlink -f "$prefix/bin/munyura")" = "$(readlink -f "$game")" ] ||
  fail "bin/munyura does not lead to $game"
cmp -s "$(dirname "$game")/bdmidi.mid" "$(dirname "$0")/../../assets/bdmidi.mid" ||
  fail "the tune is not beside the game as bdmidi.mid"
desktop="$prefix/share/applications/munyura.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
grep -qx 'Name=ムニュラ' "$desktop" || fail "the desktop entry is not named ムニュラ"
grep -qx 'Icon=munyura' "$desktop" || fail "the desktop entry does not use the icon"
icon="$prefix/share/icons/hicolor/64x64/apps/munyura.png"
[ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
  fail "no PNG icon at $icon"
echo "installed: $game and its tune, bin/munyura, the desktop entry and the icon"
