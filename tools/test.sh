#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: in an
# optimised Release build, and in a Debug build under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
for preset in release asan; do
  echo "== $preset =="
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
