#!/usr/bin/env bash
# The platform's GDI against Windows' GDI as Wine draws it, in a fresh
# Wine prefix:
#  1. the GDI scene corpus (gdi-corpus), drawn natively and by the 64-bit
#     Windows build under wine64, compared scene by scene, exactly;
#  2. the bench host's frames of the default flight (300 s, a frame every
#     5 s, 400x400 and 256x256), drawn on Linux and under Wine, compared
#     outside the text; the check fails below 99.9 % of those pixels at
#     either size.
# Pictures of the first differing scene and of the frames that agree least
# go to $QUORVEL_COMPARISON_DIR (default build/gdi-comparison).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=${QUORVEL_COMPARISON_DIR:-$root/build/gdi-comparison}

scripts/setup.sh
cmake --preset windows-x86_64 >/dev/null
cmake --build --preset windows-x86_64 --target gdi-corpus quorvel-sim QuorvelMFD
cmake --preset default >/dev/null
cmake --build --preset default --target gdi-corpus compare-gdi-corpus compare-page-frames quorvel-text-boxes \
  quorvel-sim QuorvelMFD
bin=$root/build/default
win=$root/build/windows-x86_64
rm -rf "$out"
mkdir -p "$out"

source scripts/wine-prefix.sh
start=$(date +%s.%N)
make_wine_prefix
prefix_done=$(date +%s.%N)
cd "$wine_work"
cp "$win/corpus/gdi-corpus.exe" "$win/sim/halvane.exe" "$win/QuorvelMFD.dll" .
flight=(--duration 300 --frame-every 5 --repaint-every 5 --mfd 400x400 --mfd 256x256 --quiet)

echo "== the GDI scene corpus, here and under Wine =="
"$bin/corpus/gdi-corpus" ours
timeout 300 "$wine" gdi-corpus.exe theirs
corpus_status=0
"$bin/tests/pictures/compare-gdi-corpus" --expect "$root/corpus/known-differences.txt" \
  --picture "$out/first-differing-scene.png" ours theirs || corpus_status=$?
corpus_done=$(date +%s.%N)

echo "== the page's frames, here and under Wine =="
QUORVEL_TEXT_BOXES=text-boxes.log LD_PRELOAD="$bin/tests/pictures/libquorvel-text-boxes.so" \
  "$bin/sim/quorvel-sim" --module "$bin/QuorvelMFD.so" "${flight[@]}" --out frames-ours >/dev/null
timeout 300 "$wine" halvane.exe --module QuorvelMFD.dll "${flight[@]}" --out frames-theirs >/dev/null
frames_status=0
"$bin/tests/pictures/compare-page-frames" --min 99.9 --picture "$out/least-agreeing-frame" text-boxes.log frames-ours \
  frames-theirs || frames_status=$?
frames_done=$(date +%s.%N)

awk -v s="$start" -v p="$prefix_done" -v c="$corpus_done" -v f="$frames_done" \
  'BEGIN {printf "gdi-comparison: Wine prefix %.1f s, corpus %.1f s, page frames %.1f s\n", p - s, c - p, f - c}'
echo "gdi-comparison: difference pictures in $out"
((corpus_status == 0 && frames_status == 0))
