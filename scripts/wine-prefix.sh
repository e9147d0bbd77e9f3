# What the scripts that run the 64-bit Windows builds under Wine share.
# Source it. build_wine_pair builds the windows-x86_64 preset and the Linux
# check-page-pictures that reads what it draws. make_wine_prefix sets
# $wine, exports WINEPREFIX into a new temporary folder $wine_work (removed,
# with the Wine server stopped, when the script exits) and boots the prefix.
# Relative paths are what Wine programs should be given: Wine maps the
# working directory to a drive of its own.

make_wine_prefix() {
  wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
  wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
  wine_work=$(mktemp -d)
  export WINEPREFIX=$wine_work/prefix WINEDEBUG=-all
  # No .NET or HTML engine to install into the new prefix.
  export WINEDLLOVERRIDES="mscoree=;mshtml="
  trap remove_wine_prefix EXIT
  timeout 300 "$wine" wineboot -i >"$wine_work/wineboot.log" 2>&1 || { cat "$wine_work/wineboot.log"; return 1; }
}

remove_wine_prefix() {
  "$wineserver" -k 2>/dev/null || true
  rm -rf "$wine_work"
}

build_wine_pair() {
  scripts/setup.sh
  cmake --preset windows-x86_64 >/dev/null
  cmake --build --preset windows-x86_64
  cmake --preset default >/dev/null
  cmake --build --preset default --target check-page-pictures
}
