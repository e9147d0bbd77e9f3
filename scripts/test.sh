#!/usr/bin/env bash
# The whole test suite: set up, then build and test under the default and
# the sanitizer presets (the tests that open windows do so on X servers of
# their own, from xvfb-run), then build the Windows binaries: the 32-bit
# module DLL with its exports, imports and binary interface checked, the
# 64-bit pair flown under Wine and the 64-bit DLL driven by the
# Microsoft-ABI test host there, the 32-bit pair under 32-bit Wine where
# there is one, and the platform's GDI compared with Wine's; last, the
# release archive built twice from empty folders and compared.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
for preset in default asan; do
  echo "== $preset =="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
echo "== windows-i686 =="
cmake --preset windows-i686 >/dev/null
cmake --build --preset windows-i686
scripts/check-windows-dll.sh build/windows-i686/QuorvelMFD.dll
scripts/check-host-abi.sh i686
echo "== windows-x86_64 under Wine =="
scripts/wine-smoke-test.sh
scripts/check-host-abi.sh x86_64
scripts/host-abi-test.sh
echo "== windows-i686 under 32-bit Wine, where there is one =="
scripts/wine32-test.sh
echo "== the platform's GDI against Wine's =="
scripts/gdi-comparison.sh
echo "== the release archive, built twice =="
scripts/check-release.sh build/windows-i686/QuorvelMFD.dll
