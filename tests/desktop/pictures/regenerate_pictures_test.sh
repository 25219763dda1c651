#!/usr/bin/env bash
# Draws every picture again from its source in assets/src into a scratch
# folder and compares the result with the committed files, byte for byte.
# Skipped (exit 77) only where the drawing tools are not installed.
set -euo pipefail
root=$1

for tool in rsvg-convert python3; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (tools/install-deps.sh installs librsvg2-bin and python3)"
    exit 77
  fi
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
python3 "$root/tools/make-pictures.py" --out "$scratch"

status=0
pictures_in() { (cd "$1" && find . -path ./src -prune -o -name '*.gif' -print -o -name '*.png' -print |
                  sed 's|^\./||' | LC_ALL=C sort); }
committed=$(pictures_in "$root/assets")
drawn=$(pictures_in "$scratch")
if [ "$committed" != "$drawn" ]; then
  echo "the sources draw other files than assets/ holds:"
  diff <(echo "$committed") <(echo "$drawn") || true
  status=1
fi
for name in $drawn; do
  if ! cmp -s "$scratch/$name" "$root/assets/$name"; then
    echo "assets/$name differs from what its source draws: run tools/make-pictures.py"
    status=1
  fi
done
[ $status -eq 0 ] && echo "all $(echo "$drawn" | wc -l) pictures match their sources"
exit $status
