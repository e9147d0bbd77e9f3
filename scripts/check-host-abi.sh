#!/usr/bin/env bash
# Checks, without running anything, that the module DLL of one Windows
# build meets the host program at its binary interface as a host built by
# Microsoft's compiler sees it:
#   - each pair of host/abi/ARCH.names names one declaration twice: the g++
#     name and the Microsoft name demangle to the same function;
#   - the Microsoft-ABI test host, compiled by clang from host/, exports
#     every Microsoft name of the list, and every name the DLL imports from
#     halvane.exe;
#   - the bench host halvane.exe exports exactly the list's Microsoft names;
#   - the page's virtual table, as g++ lays it out, has the slots of the
#     MFD table as clang lays it out for Microsoft's ABI, in the same order;
#   - on i686, the page's member functions take `this` in ECX and pop their
#     own arguments (__thiscall).
#
#   scripts/check-host-abi.sh [i686|x86_64]    (default i686)
#
# Needs that preset built (cmake --build --preset windows-ARCH).
set -euo pipefail
cd "$(dirname "$0")/.."

arch=${1:-i686}
case $arch in
  i686) prefix=_ ;;
  x86_64) prefix= ;;
  *) echo "check-host-abi: no architecture $arch (i686 or x86_64)" >&2; exit 2 ;;
esac
build=build/windows-$arch
names=host/abi/$arch.names
dll=$build/QuorvelMFD.dll
test_host=$build/tests/windows/test-host/halvane.exe
bench_host=$build/sim/halvane.exe
mingw=$arch-w64-mingw32
for file in "$dll" "$test_host" "$bench_host"; do
  [[ -f $file ]] || { echo "check-host-abi: no $file (build the windows-$arch preset first)" >&2; exit 2; }
done

problems=0
problem() { echo "  PROBLEM: $*"; problems=$((problems + 1)); }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A program's exports and a DLL's imports from one module, a name a line.
exports_of() {
  llvm-objdump -p "$1" | awk '/^Export Table:/ {on = 1; next}
                               on && /^ +[0-9]+ +0x[0-9a-f]+ +/ {print $3}
                               on && /^$/ {on = 0}' | sort
}
imports_from() {
  $mingw-objdump -p "$1" | awk -v d="$(tr '[:upper:]' '[:lower:]' <<<"$2")" '
    /^\tDLL Name: / {on = tolower($3) == d; next}
    on && /^\t[0-9a-f]+\t/ {print $NF}
    /^$/ {on = 0}' | sort
}
# Both manglings demangled to one form: "Class::Name(parameters) const".
plain_microsoft() {
  llvm-undname | grep -v -e '^?' -e '^$' |
    sed -E 's/^(public|protected|private): //; s/^virtual //; s/^.*(__thiscall|__cdecl) //;
            s/(class|struct|enum) //g; s/\(void\)/()/; s/ \*/*/g; s/ &/\&/g'
}

grep -v -e '^#' -e '^[[:space:]]*$' "$names" | awk '{print $1 "\t" $2}' >"$work/pairs"
cut -f1 "$work/pairs" >"$work/gnu"
cut -f2 "$work/pairs" >"$work/microsoft"
echo "$names: $(wc -l <"$work/pairs") host functions"

echo "each pair names one declaration:"
paste -d'\t' <(c++filt <"$work/gnu") <(plain_microsoft <"$work/microsoft") "$work/pairs" |
  while IFS=$'\t' read -r gnu microsoft gnu_name microsoft_name; do
    [[ $gnu == "$microsoft" ]] || echo "$gnu_name is $gnu, but $microsoft_name is $microsoft"
  done >"$work/mismatches"
while read -r line; do problem "$line"; done <"$work/mismatches"

echo "the Microsoft-ABI test host exports the list's names and the DLL's imports:"
exports_of "$test_host" >"$work/test-host"
comm -23 <(sort "$work/microsoft") "$work/test-host" | while read -r name; do
  echo "a Microsoft-ABI host from host/ does not export $name ($(llvm-undname <<<"$name" | sed -n 2p))"
done >"$work/missing"
imports_from "$dll" halvane.exe >"$work/imports"
echo "    $dll imports $(wc -l <"$work/imports") functions from halvane.exe"
comm -23 "$work/imports" "$work/test-host" | while read -r name; do
  echo "the DLL imports $name from halvane.exe, which a Microsoft-ABI host does not export"
done >>"$work/missing"
while read -r line; do problem "$line"; done <"$work/missing"
[[ -s $work/imports ]] || problem "the DLL imports nothing from halvane.exe"

echo "the bench host exports exactly the list's names:"
exports_of "$bench_host" >"$work/bench-host"
if ! diff <(sort "$work/microsoft") "$work/bench-host" >"$work/bench-diff"; then
  problem "$bench_host's exports differ from the list (< list only, > program only):"
  sed 's/^/      /' "$work/bench-diff"
fi

echo "the page's table has the host's slots:"
# clang's Microsoft layout of the MFD table, from the test host's own unit.
clang --target=$arch-pc-windows-msvc -std=c++20 -ffreestanding -fno-rtti -nostdinc \
  -isystem tests/windows/test-host/include -I. -DQUORVEL_BUILDING_HOST -c -o "$work/layout.obj" \
  -Xclang -fdump-vtable-layouts tests/windows/test-host/HostSide.cpp >"$work/clang-layout"
awk '/^VFTable indices for .MFD./ {on = 1; next} on && /^ +[0-9]+ \| / {print} on && /^$/ {exit}' \
  "$work/clang-layout" | sed -E 's/^ +[0-9]+ \| //; s/.*~MFD\(\) \[scalar deleting\]$/scalar deleting destructor/;
                               s/^[^(]*::([A-Za-z0-9_]+)\(.*/\1/' >"$work/microsoft-slots"
# g++'s layout of the page's own table, as the module is compiled.
(cd "$work" && $mingw-g++-posix -std=c++20 -I"$OLDPWD" -fdump-lang-class -fsyntax-only "$OLDPWD/module/plugin/QuorvelMFD.cpp")
awk '/^Vtable for quorvel::QuorvelMFD$/ {on = 1; next} on && /^$/ {exit}
     on && /^[0-9]+ +\(int \(\*\)\(\.\.\.\)\)/ {print $NF}' "$work"/*.class |
  tail -n +3 | sed -E 's/.*::([A-Za-z0-9_]+)$/\1/; s/^ScalarDeletingDestructor$/scalar deleting destructor/' \
  >"$work/gnu-slots"
echo "    Microsoft's MFD: $(wc -l <"$work/microsoft-slots") slots, g++'s QuorvelMFD: $(wc -l <"$work/gnu-slots") slots"
if [[ ! -s $work/microsoft-slots ]] || ! diff "$work/microsoft-slots" "$work/gnu-slots" >"$work/slot-diff"; then
  problem "the page's slots differ from the host's (< Microsoft's MFD, > g++'s page):"
  sed 's/^/      /' "$work/slot-diff"
fi

if [[ $arch == i686 ]]; then
  echo "the page's member functions are __thiscall:"
  $mingw-objdump -d --no-show-raw-insn "$dll" >"$work/disassembly"
  # Each takes one argument on the stack besides `this`.
  for member in ScalarDeletingDestructorEj RepaintEP5HDC__ ConsumeKeyBufferedEj; do
    symbol=$(grep -o "<${prefix}_ZN7quorvel10QuorvelMFD[0-9]*${member}>:" "$work/disassembly" | head -1)
    if [[ -z $symbol ]]; then
      problem "no QuorvelMFD::$member in the DLL's symbols"
      continue
    fi
    awk -v s="$symbol" '$0 ~ s {on = 1; next} on && /^$/ {exit} on {print}' "$work/disassembly" >"$work/body"
    # `this` arrives in ECX: the first instruction naming ECX reads it.
    first_ecx=$(grep -m1 '%ecx' "$work/body" || true)
    [[ $first_ecx =~ %ecx, ]] || [[ $first_ecx =~ \(%ecx ]] ||
      problem "$member does not take this in ECX (first use: ${first_ecx:-none})"
    # The callee pops its argument: it returns by "ret $0x4" or hands its
    # argument on to another such function by a jump, never by a plain ret.
    if grep -q -P '\tret\s*$' "$work/body" || ! grep -q -P '\t(ret\s+\$0x4|jmp\s+[0-9a-f]+ <)' "$work/body"; then
      problem "$member does not pop its own argument"
    fi
  done
fi

if ((problems > 0)); then
  echo "check-host-abi: windows-$arch: $problems problems"
  exit 1
fi
echo "check-host-abi: windows-$arch meets the host at its binary interface"
