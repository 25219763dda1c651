#!/usr/bin/env bash
# Every picture drawn again from assets/src, byte for byte the committed file. Skipped (77)
# only without the drawing tools (tools/install-deps.sh installs them).
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
