#!/usr/bin/env bash
# The 64-bit module DLL in the Microsoft-ABI test host halvane.exe under
# wine64, in a fresh Wine prefix:
#   - the module's whole life as the host drives it (see the test host's
#     TestHost.cpp), and check-page-pictures on the pages it drew;
#   - the same page built with g++'s own destructor slots must not pass;
#   - a DLL without the module's exports, and one importing a name the host
#     does not have, each stop the test host with one line naming the step
#     and the Windows error.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/windows-x86_64

source scripts/wine-prefix.sh
build_wine_pair
make_wine_prefix
cd "$wine_work"
cp "$build/tests/windows/test-host/halvane.exe" "$build/QuorvelMFD.dll" \
  "$build/tests/windows/test-host/QuorvelMFD-itanium-slots.dll" .
failed=0
fail() { echo "host-abi-test: $*"; failed=1; }

# Runs the test host on a DLL into a new folder; its status in $status.
run_test_host() {
  local dll=$1 folder=$2
  mkdir "$folder"
  status=0
  timeout 300 "$wine" halvane.exe "$dll" "$folder" >"$folder.log" 2>&1 || status=$?
  # A crash's report is long: its first lines say enough.
  tr -d '\r' <"$folder.log" | head -n 12 | sed "s/^/    /"
}

echo "== the module in the Microsoft-ABI test host =="
run_test_host QuorvelMFD.dll pictures
((status == 0)) || fail "the test host failed on QuorvelMFD.dll (status $status)"
"$root/build/default/tests/pictures/check-page-pictures" pictures || fail "the test host's pictures do not show the page"

echo "== the page with g++'s own destructor slots, which the test host must catch =="
run_test_host QuorvelMFD-itanium-slots.dll itanium
if ((status == 0)); then
  fail "the test host passed a page whose table puts Repaint in slot 2"
else
  echo "    caught: status $status"
fi

echo "== DLLs the host cannot take =="
# A system DLL has none of the module's callbacks.
run_test_host version.dll no-callbacks
((status == 1)) && grep -q "^test host: hlcDLLInit: Windows error 127" no-callbacks.log ||
  fail "a DLL without hlcDLLInit was not refused in one line naming it and the Windows error"
# A DLL that imports a function the host program does not export.
printf 'LIBRARY halvane.exe\nEXPORTS\nmissing == ?NotAHostFunction@@YAXXZ\n' >missing.def
x86_64-w64-mingw32-dlltool -d missing.def -l libmissing.a
printf 'void missing(void);\n__declspec(dllexport) void hlcDLLInit(void) { missing(); }\n' >missing.c
x86_64-w64-mingw32-gcc -shared -o missing-import.dll missing.c libmissing.a
run_test_host missing-import.dll missing-import
# Windows refuses to load it; Wine loads it with a stub, and the test host
# finds the name in its import table.
((status == 1)) && grep -q -e "^test host: LoadLibrary: Windows error 127" \
  -e "^test host: ?NotAHostFunction@@YAXXZ: Windows error 127" missing-import.log ||
  fail "a DLL importing a name the host lacks was not refused in one line naming the step and the Windows error"

((failed == 0)) || exit 1
echo "host-abi-test: the module passes the Microsoft-ABI test host, which catches the faults it should"
