#!/usr/bin/env bash
# Prints what the module DLL exports and imports, and fails unless a host can
# load it as it is:
#   - it exports exactly hlcDLLInit, hlcDLLExit, hlcTimestep and
#     GetModuleVersion, by those plain names;
#   - it imports from system DLLs and the host program only, the C and C++
#     runtime being linked in, and takes every host function by the name
#     Microsoft's C++ ABI gives it (the host program is built by Microsoft's
#     compiler);
#   - its entry point is the C runtime's start-up, which calls the module's
#     own DllMain (not the runtime's empty stand-in);
#   - its mode message callback passes pointer-sized values of the DLL's
#     own width (32 bits in the 32-bit DLL).
#
#   scripts/check-windows-dll.sh [DLL [HOST]]
#
# DLL defaults to the 32-bit build's; HOST is the host program the module
# imports from, halvane.exe.
set -euo pipefail
cd "$(dirname "$0")/.."

dll=${1:-build/windows-i686/QuorvelMFD.dll}
host=${2:-halvane.exe}
# The 64-bit binutils read both PE formats.
objdump=x86_64-w64-mingw32-objdump
nm=x86_64-w64-mingw32-nm
cxxfilt=x86_64-w64-mingw32-c++filt

expected_exports="GetModuleVersion hlcDLLExit hlcDLLInit hlcTimestep"
# DLLs every Windows installation has; msvcrt is the C runtime of the
# system. libstdc++-6, libgcc_s_* or libwinpthread-1 here would have to be
# shipped beside the module.
allowed_imports="kernel32.dll user32.dll gdi32.dll opengl32.dll glu32.dll msvcrt.dll"

[[ -f $dll ]] || { echo "check-windows-dll: no $dll (build it first)" >&2; exit 1; }
problems=0
problem() { echo "  PROBLEM: $*"; problems=$((problems + 1)); }
lower() { tr '[:upper:]' '[:lower:]'; }
indented() { paste -sd' ' | fold -s -w 96 | sed 's/^/      /'; }

headers=$($objdump -p "$dll")
format=$($objdump -f "$dll" | sed -n 's/.*file format //p')
# i386 symbols carry a leading underscore before the C or C++ name.
case $format in
  pei-i386) prefix=_ pointer_code=i pointer_type=int ;;
  pei-x86-64) prefix= pointer_code=x pointer_type="long long" ;;
  *) echo "check-windows-dll: $dll is $format, not a Windows DLL" >&2; exit 1 ;;
esac
echo "$dll ($format)"

echo "exports:"
exports=$(awk '/^\[Ordinal\/Name Pointer\] Table/ {on = 1; next}
               on && /^\t\[/ {print $NF; next}
               on {on = 0}' <<<"$headers" | sort)
sed 's/^/    /' <<<"$exports"
for name in $expected_exports; do
  grep -qx "$name" <<<"$exports" || problem "export $name is missing"
done
for name in $exports; do
  [[ " $expected_exports " == *" $name "* ]] || problem "unexpected export $name"
done

echo "imports:"
# DLL name, then its functions, as "dll<TAB>function" lines.
imports=$(awk '/^\tDLL Name: / {dll = $3; print dll "\t"; next}
               dll != "" && /^\t[0-9a-f]+\t/ {print dll "\t" $NF}
               /^$/ && dll != "" {dll = ""}' <<<"$headers")
for dll_name in $(cut -f1 <<<"$imports" | sort -u); do
  functions=$(awk -F'\t' -v d="$dll_name" '$1 == d && $2 != "" {print $2}' <<<"$imports")
  echo "    $dll_name ($(grep -c . <<<"$functions") functions)"
  name_lower=$(lower <<<"$dll_name")
  if [[ $name_lower == "$(lower <<<"$host")" ]]; then
    llvm-undname <<<"$functions" | grep -v -e '^?' -e '^$' | sed 's/^/      /'
    while read -r name; do
      problem "imports $name from $host, which is not a name in Microsoft's C++ ABI"
    done < <(grep -v '^?' <<<"$functions" || true)
  else
    indented <<<"$functions"
    [[ " $allowed_imports " == *" $name_lower "* ]] || problem "imports $dll_name, which is neither a system DLL nor $host"
  fi
done
grep -qi "^$host"$'\t' <<<"$imports" || problem "imports nothing from the host $host"

symbols=$($nm "$dll")
entry=$($objdump -f "$dll" | sed -n 's/^start address 0x0*//p')
entry_name=$(awk -v a="$entry" '{sub(/^0+/, "", $1)} $1 == a && $2 == "T" && name == "" {name = $3}
                                 END {print name}' <<<"$symbols")
# Which object file defines DllMain: symbols follow their file's record.
dllmain_file=$($objdump -t "$dll" | awk '/\(scl 103\)/ {file = $NF}
                                         / (_DllMain@12|DllMain)$/ && /\(sec +[1-9]/ && found == "" {found = file}
                                         END {print found}')
# The symbol table keeps 14 characters of a file name.
echo "entry point: ${entry_name:-?}, which calls the DllMain of ${dllmain_file:-?}"
[[ $entry_name == "${prefix}DllMainCRTStartup"* ]] || problem "the entry point is ${entry_name:-unknown}, not the C runtime's DLL start-up"
[[ $dllmain_file == ModuleEntry* ]] || problem "DllMain comes from ${dllmain_file:-nowhere}, not the module's ModuleEntry.cpp"

callback=$(awk -v p="^${prefix}_ZN7quorvel15MessageCallbackE[a-z]*$" '$3 ~ p && found == "" {found = $3}
                                                                      END {print found}' <<<"$symbols")
echo "message callback: $(sed "s/^${prefix}_Z/_Z/" <<<"${callback:-none}" | $cxxfilt)"
[[ $callback == "${prefix}_ZN7quorvel15MessageCallbackEjjj${pointer_code}" ]] ||
  problem "the message callback is not (unsigned int, unsigned int, unsigned int, $pointer_type)"

if ((problems > 0)); then
  echo "check-windows-dll: $dll: $problems problems"
  exit 1
fi
echo "check-windows-dll: $dll exports, imports and starts as a host needs"
