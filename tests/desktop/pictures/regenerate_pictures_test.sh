#!/usr/bin/env bash
# Draws every picture again from its source in assets/src and compares the
# result with the committed files, byte for byte. Skipped (exit 77) only where
# the drawing tools are not installed (tools/install-deps.sh installs them).
set -euo pipefail
root=$1
for tool in rsvg-convert python3; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
python3 "$root/tools/make-pictures.py" --out "$scratch"
diff -r --exclude=src --exclude='*.mid' "$root/assets" "$scratch" \
  || { echo "assets/ differs from what its sources draw: run tools/make-pictures.py"; exit 1; }
echo "all $(find "$scratch" -type f | wc -l) pictures match their sources"
