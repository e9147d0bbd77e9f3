#!/usr/bin/env bash
# Compiles the module's sources for 32-bit Windows against the real
# <windows.h>, so that the Windows side never drifts from the Linux one.
set -euo pipefail
cd "$(dirname "$0")/.."

compiler=i686-w64-mingw32-g++-win32
command -v "$compiler" >/dev/null || compiler=i686-w64-mingw32-g++
# The module's directories that exist so far.
dirs=$(for dir in plugin flightdata attitude instruments; do if [[ -d $dir ]]; then echo "$dir"; fi; done)
sources=$(find $dirs -name '*.cpp' | sort)
printf '%s\n' $sources | xargs -P "$(nproc)" -I{} \
  "$compiler" -std=c++20 -Wall -Wextra -Wpedantic -Werror -I. -c {} -o /dev/null
echo "windows-i686: $(printf '%s\n' $sources | wc -l) module sources compile"
