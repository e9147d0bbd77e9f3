#!/usr/bin/env bash
# The 64-bit Windows bench host and module under wine64, in a fresh Wine
# prefix: the host loads the DLL, opens the page on two MFDs, flies three
# seconds and writes pictures, and check-page-pictures (a Linux build)
# checks that they show the page, attitude ball included; and the Windows
# build refuses the live window and video, which are Linux's.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

source scripts/wine-prefix.sh
build_wine_pair
start=$(date +%s.%N)
make_wine_prefix
prefix_done=$(date +%s.%N)

# Relative paths: Wine maps the working directory to a drive of its own.
cd "$wine_work"
cp "$root/build/windows-x86_64/sim/halvane.exe" "$root/build/windows-x86_64/QuorvelMFD.dll" .
timeout 300 "$wine" halvane.exe --module QuorvelMFD.dll --duration 3 --frame-every 1 --mfd 400x400 --mfd 256x256 \
  --quiet --out pictures | tee run.log
run_done=$(date +%s.%N)
grep -q "; 8 pictures in pictures" run.log || { echo "wine-smoke-test: the bench host did not write 8 pictures"; exit 1; }

"$root/build/default/tests/pictures/check-page-pictures" pictures

# The live window and video are Linux's: refused as bad options, one line each.
for option in --window "--video flight.mp4"; do
  status=0
  # shellcheck disable=SC2086  # the option and its value are two words
  timeout 300 "$wine" halvane.exe --module QuorvelMFD.dll $option --out refused >refused.log 2>&1 || status=$?
  if ((status != 2)) || [[ $(wc -l <refused.log) != 1 ]] || ! grep -q "not in this build" refused.log; then
    echo "wine-smoke-test: $option was not refused with one message and status 2 (status $status):"
    cat refused.log
    exit 1
  fi
done
[[ ! -e refused ]] || { echo "wine-smoke-test: a refused run wrote its output folder"; exit 1; }
awk -v s="$start" -v p="$prefix_done" -v r="$run_done" \
  'BEGIN {printf "wine-smoke-test: Wine prefix made in %.1f s, flight and pictures in %.1f s\n", p - s, r - p}'
