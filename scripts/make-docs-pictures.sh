#!/usr/bin/env bash
# Regenerates the README's pictures in docs/ from a release build: the
# default flight's contact sheet, the page at t = 100 s (Mach 3 in the
# climb), the page on the runway, through Mach 1 and coasting above the
# air, and the animated climb from Mach 1 to burn-out (from a video of the
# flight at 25 frames a second, played ten times as fast). Rerun it
# whenever the page's drawing changes.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
build/release/sim/quorvel-sim --module build/release/QuorvelMFD.so --out "$out" --quiet
moments=$(mktemp -d)
trap 'rm -rf "$out" "$moments"' EXIT
build/release/sim/quorvel-sim --module build/release/QuorvelMFD.so --out "$moments" --quiet \
  --frame-every 1 --duration 241
video=$(mktemp -d)
trap 'rm -rf "$out" "$moments" "$video"' EXIT
build/release/sim/quorvel-sim --module build/release/QuorvelMFD.so --out "$video" --quiet \
  --duration 120 --frame-every 120 --repaint-every 0.04 --video "$video/flight.mp4"

mkdir -p docs
cp "$out/contact-sheet.png" docs/contact-sheet.png
cp "$out/mfd0_t0100.00s.png" docs/page-t100s.png
cp "$moments/mfd0_t0010.00s.png" docs/page-on-the-runway.png
cp "$moments/mfd0_t0047.00s.png" docs/page-mach-one.png
cp "$moments/mfd0_t0240.00s.png" docs/page-coasting.png
# Mach 1 at 47 s, burn-out at 115 s.
build/release/sim/video/quorvel-animate "$video/flight.mp4" docs/climb-to-burn-out.webp \
  --from 44 --length 75 --speed 10 --fps 10 --quality 60
for picture in docs/*.png docs/*.webp; do
  size=$(stat -c %s "$picture")
  echo "$picture: $((size / 1024)) KiB"
  if ((size > 300 * 1024)); then echo "make-docs-pictures: $picture is over 300 KiB" >&2; fi
done
