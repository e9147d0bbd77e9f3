#!/usr/bin/env bash
# The 32-bit pair, the DLL pilots install, under 32-bit Wine where one is
# installed (Debian's wine32:i386, and libosmesa6:i386 for the ball): the
# module in the Microsoft-ABI test host, then a short flight of the 32-bit
# bench host, each page picture checked by check-page-pictures. Where Wine
# cannot start a 32-bit program, it prints one line saying it was skipped
# and why, and exits 0: a skip, not a pass.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/windows-i686

cmake --preset windows-i686 >/dev/null
cmake --build --preset windows-i686
cmake --preset default >/dev/null
cmake --build --preset default --target check-page-pictures

wine32=$(command -v wine || true)
[[ -n $wine32 || ! -x /usr/lib/wine/wine ]] || wine32=/usr/lib/wine/wine
if [[ -z $wine32 ]]; then
  echo "wine32-test: SKIPPED: no wine command (install wine32:i386 and libosmesa6:i386 to run the 32-bit pair)"
  exit 0
fi
source scripts/wine-prefix.sh
make_wine_prefix
cd "$wine_work"
cp "$build/tests/windows/test-host/halvane.exe" "$build/QuorvelMFD.dll" .
# The test host without arguments prints its usage and exits 2.
probe=0
timeout 120 "$wine32" halvane.exe >probe.log 2>&1 || probe=$?
if ((probe != 2)) || ! grep -q "^usage: halvane.exe" probe.log; then
  echo "wine32-test: SKIPPED: wine cannot start a 32-bit program here (status $probe;" \
    "install wine32:i386 and libosmesa6:i386 to run the 32-bit pair)"
  exit 0
fi

echo "== the 32-bit module in the Microsoft-ABI test host =="
mkdir test-host
timeout 300 "$wine32" halvane.exe QuorvelMFD.dll test-host | tr -d '\r'
"$root/build/default/tests/pictures/check-page-pictures" test-host

echo "== the 32-bit bench host flies the default flight's first minute =="
mkdir bench
cp "$build/sim/halvane.exe" bench/
cp QuorvelMFD.dll bench/
(cd bench && timeout 600 "$wine32" halvane.exe --module QuorvelMFD.dll --duration 60 --frame-every 10 \
  --mfd 400x400 --quiet --out pictures | tr -d '\r')
"$root/build/default/tests/pictures/check-page-pictures" bench/pictures
echo "wine32-test: the 32-bit pair passed under 32-bit Wine"
