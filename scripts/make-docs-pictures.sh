#!/usr/bin/env bash
# Regenerates the README's pictures in docs/ from a release build: the
# default flight's contact sheet, the page at t = 100 s (Mach 3 in the
# climb), and the page on the runway, through Mach 1 and coasting above the
# air. Rerun it whenever the page's drawing changes.
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

mkdir -p docs
cp "$out/contact-sheet.png" docs/contact-sheet.png
cp "$out/mfd0_t0100.00s.png" docs/page-t100s.png
cp "$moments/mfd0_t0010.00s.png" docs/page-on-the-runway.png
cp "$moments/mfd0_t0047.00s.png" docs/page-mach-one.png
cp "$moments/mfd0_t0240.00s.png" docs/page-coasting.png
for picture in docs/*.png; do
  size=$(stat -c %s "$picture")
  echo "$picture: $((size / 1024)) KiB"
  if ((size > 300 * 1024)); then echo "make-docs-pictures: $picture is over 300 KiB" >&2; fi
done
