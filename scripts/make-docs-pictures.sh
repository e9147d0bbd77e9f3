#!/usr/bin/env bash
# Regenerates the README's pictures of the page from a release build:
# on the runway, through Mach 1 in the climb, and coasting above the air.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
build/release/sim/quorvel-sim --module build/release/QuorvelMFD.so --out "$frames" --frame-every 1 --duration 241 --quiet
mkdir -p docs
cp "$frames/mfd0_t0010.00s.png" docs/page-on-the-runway.png
cp "$frames/mfd0_t0047.00s.png" docs/page-mach-one.png
cp "$frames/mfd0_t0240.00s.png" docs/page-coasting.png
echo "docs pictures written"
