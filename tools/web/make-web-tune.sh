#!/usr/bin/env bash
# Renders the game's tune through the game's own synthesiser and soundfont
# (render_tune) and encodes it for the page as Ogg Opus, with the tune's exact
# length beside it for the page's loop.
#
#   make-web-tune.sh RENDER_TUNE TUNE.mid OUT_FOLDER   -> tune.opus, tune.json
#
# The loop is the tune's second pass, so it starts with the last notes of the
# pass before still ringing, as the game's own player sounds once it has gone
# round: played end to end, the loop joins without a seam. Opus because it is
# small at this quality (64 kbit/s) and its Ogg mapping carries the encoder's
# delay and the end of the audio exactly (pre-skip and end granule), so the
# decoded sound starts and ends where the render does.
set -euo pipefail

render_tune=$1
tune=$2
out=$3
rate=44100
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

seconds=$("$render_tune" "$tune" --level | awk '$1 == "length_seconds" { print $2 }')
frames=$(awk -v s="$seconds" -v r="$rate" 'BEGIN { printf "%d", s * r + 0.5 }')
two_passes=$(awk -v f="$frames" -v r="$rate" 'BEGIN { printf "%.6f", 2 * f / r }')
"$render_tune" "$tune" "$two_passes" "$work/two-passes.raw"
sox -t raw -r "$rate" -e floating-point -b 32 -c 2 "$work/two-passes.raw" \
    -t wav -e floating-point -b 32 "$work/loop.wav" trim "${frames}s" "${frames}s"
mkdir -p "$out"
# (opusenc notes the float WAV's "fact" chunk, which it has no use for.)
opusenc --quiet --music --bitrate 64 --serial 1 "$work/loop.wav" "$out/tune.opus" \
  2> >(grep -v '^Skipping chunk of type "fact"' >&2)
printf '{"loopFrames": %d, "frameRate": %d}\n' "$frames" "$rate" > "$out/tune.json"
