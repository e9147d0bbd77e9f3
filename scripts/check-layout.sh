#!/usr/bin/env bash
# Fails when a folder includes a folder above it, or a sibling: each folder
# may include only itself and the folders listed for it below, and no file
# outside module/plugin/ (and its own tests) includes the page's header.
# Prints every #include "..." line that breaks a rule.
#
#   scripts/check-layout.sh [SOURCE_ROOT]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

# Folder, then what it may include besides itself, lowest first.
rules=(
  "platform:"
  "host:platform"
  "module/units:"
  "module/flightdata:module/units host platform"
  "module/drawing:module/units host platform"
  "module/instruments:module/drawing module/flightdata module/units host platform"
  "module/attitude:module/drawing module/flightdata module/units host platform"
  "module/plugin:module/attitude module/instruments module/drawing module/flightdata module/units host platform"
  "sim/host:host platform"
  "sim/flight:"
  "sim/files:"
  "sim/video:sim/files"
  "sim/bench:sim/files sim/host sim/flight host platform"
  "sim/live:sim/bench sim/video sim/files sim/host sim/flight host platform"
  "sim:sim/live sim/bench sim/video sim/files sim/host sim/flight host platform"
  "release:sim/bench sim/files sim/host module/attitude module/instruments module/drawing module/flightdata module/units host platform"
)

problems=0
report() { echo "check-layout: $*"; problems=$((problems + 1)); }

for rule in "${rules[@]}"; do
  folder=${rule%%:*}
  read -ra allowed <<<"$folder ${rule#*:}"
  allowedText=$(printf '%s/, ' "${allowed[@]}")
  allowedText=${allowedText%, }
  while IFS= read -r -d '' file; do
    while IFS= read -r line; do
      target=$(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' <<<"$line")
      [[ -n $target ]] || continue
      ok=0
      for prefix in "${allowed[@]}"; do
        [[ $target == "$prefix"/* ]] && { ok=1; break; }
      done
      # A folder's file may name a neighbour by its bare name.
      [[ $target != */* ]] && ok=1
      ((ok)) || report "$file includes \"$target\": $folder/ may include only $allowedText"
    done < <(grep -h '^[[:space:]]*#[[:space:]]*include' "$file" || true)
  done < <(find "$folder" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \) -print0; \
           [[ $folder == platform ]] && find platform/linux platform/windows -type f \( -name '*.h' -o -name '*.cpp' \) -print0)
done

# The page's header belongs to module/plugin/ and its tests.
while IFS= read -r hit; do
  report "${hit%%:*} includes the page's header, module/plugin/QuorvelMFD.h"
done < <(grep -rln --include='*.h' --include='*.cpp' '#[[:space:]]*include[[:space:]]*"module/plugin/QuorvelMFD.h"' . \
           --exclude-dir=build --exclude-dir=.git | sed 's|^\./||' | grep -v -e '^module/plugin/' -e '^tests/module/plugin/' || true)

if ((problems > 0)); then
  echo "check-layout: $problems include(s) against the layout"
  exit 1
fi
echo "check-layout: every folder includes only the folders below it"
