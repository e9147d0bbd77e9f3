#!/usr/bin/env bash
# The whole test suite: set up, then build and test under the default and
# the sanitizer presets, then compile the module for 32-bit Windows.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
for preset in default asan; do
  echo "== $preset =="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
echo "== windows-i686 (compile only) =="
scripts/check-windows-compile.sh
