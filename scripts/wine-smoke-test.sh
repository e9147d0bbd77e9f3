#!/usr/bin/env bash
# The 64-bit Windows bench host and module under wine64, in a fresh Wine
# prefix: the host loads the DLL, opens the page on two MFDs, flies three
# seconds and writes pictures, and check-page-pictures (a Linux build)
# checks that they show the page, attitude ball included.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/setup.sh
cmake --preset windows-x86_64 >/dev/null
cmake --build --preset windows-x86_64
cmake --preset default >/dev/null
cmake --build --preset default --target check-page-pictures

source scripts/wine-prefix.sh
start=$(date +%s.%N)
make_wine_prefix
prefix_done=$(date +%s.%N)

# Relative paths: Wine maps the working directory to a drive of its own.
cd "$wine_work"
cp "$root/build/windows-x86_64/sim/quorvel-sim.exe" "$root/build/windows-x86_64/QuorvelMFD.dll" .
timeout 300 "$wine" quorvel-sim.exe --module QuorvelMFD.dll --duration 3 --frame-every 1 --mfd 400x400 --mfd 256x256 \
  --quiet --out pictures | tee run.log
run_done=$(date +%s.%N)
grep -q "; 8 pictures in pictures" run.log || { echo "wine-smoke-test: the bench host did not write 8 pictures"; exit 1; }

"$root/build/default/tests/pictures/check-page-pictures" pictures
awk -v s="$start" -v p="$prefix_done" -v r="$run_done" \
  'BEGIN {printf "wine-smoke-test: Wine prefix made in %.1f s, flight and pictures in %.1f s\n", p - s, r - p}'
