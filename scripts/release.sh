#!/usr/bin/env bash
# Makes the archive a pilot downloads, QuorvelMFD-<version>-win32.zip: the
# 32-bit module DLL, the pilot's guide (its Markdown as pilot-guide.txt, and
# pilot-guide.html with its pictures beside it), LICENSE and SHA256SUMS.
# The version is the CMake project's.
#
# The same commit gives the same bytes in any build folder at any time, on
# the same Debian packages (the guide lists their versions): the binaries
# carry no time or build path, and the zip holds its files in name order,
# mode 644, dated SOURCE_DATE_EPOCH (the last commit's time unless set).
#
#   scripts/release.sh [--dirty] [--build-dir DIR] [--out-dir DIR]
#
#   --build-dir DIR  where to build (build/release-archive by default; an
#                    existing one is built on)
#   --out-dir DIR    where the archive goes (build/ by default)
#   --dirty          build even with uncommitted changes; the archive's
#                    name then says -dirty
set -euo pipefail
cd "$(dirname "$0")/.."

die() {
  echo "release: $*" >&2
  exit 1
}

allow_dirty=0
build_dir=build/release-archive
out_dir=build
while (($# > 0)); do
  case $1 in
    --dirty) allow_dirty=1 ;;
    --build-dir | --out-dir)
      (($# > 1)) || die "$1 needs a folder"
      if [[ $1 == --build-dir ]]; then build_dir=$2; else out_dir=$2; fi
      shift
      ;;
    -h | --help)
      sed -n '2,/^set -euo/{/^set -euo/d; s/^# \{0,1\}//; p}' "$0"
      exit 0
      ;;
    *) die "unknown argument $1 (expected --dirty, --build-dir DIR or --out-dir DIR)" ;;
  esac
  shift
done

# Every tool, with the Debian package that brings it.
need() { command -v "$1" >/dev/null || die "no $1: install the Debian package $2 (scripts/setup.sh does)"; }
need git git
need cmake cmake
need ninja ninja-build
need g++ g++
need pkg-config pkg-config
need i686-w64-mingw32-g++-posix g++-mingw-w64-i686-posix
need x86_64-w64-mingw32-objdump binutils-mingw-w64-x86-64
need strings binutils
need markdown_py python3-markdown
need zip zip
pkg-config --exists cairo || die "no cairo development files: install the Debian package libcairo2-dev (scripts/setup.sh does)"

git rev-parse --is-inside-work-tree >/dev/null 2>&1 || die "$PWD is not a git work tree: the archive is dated by its last commit"
changed=$(git status --porcelain --untracked-files=all | cut -c4- | paste -sd' ')
if [[ -n $changed ]] && ((!allow_dirty)); then
  die "uncommitted changes in $changed (commit them, or pass --dirty)"
fi
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
commit=$(git rev-parse HEAD)

# The guide's pictures on Linux, the module on Windows: the same presets as
# by hand, so that the DLL is the windows-i686 preset's byte for byte.
linux=$build_dir/linux
windows=$build_dir/windows-i686
cmake --preset release -B "$linux" >/dev/null
cmake --build "$linux" --target pilot-guide-pictures
cmake --preset windows-i686 -B "$windows" >/dev/null
cmake --build "$windows" --target QuorvelMFD
version=$(<"$linux/release/version.txt")
name=QuorvelMFD-$version${changed:+-dirty}-win32

stage=$build_dir/archive
rm -rf "$stage"
mkdir -p "$stage"
cp "$windows/QuorvelMFD.dll" LICENSE "$linux"/release/guide/*.png "$stage"

# The DLL a host can load, showing the version under its Properties.
scripts/check-windows-dll.sh "$stage/QuorvelMFD.dll" >"$build_dir/check-windows-dll.txt" ||
  die "$stage/QuorvelMFD.dll fails the DLL check: see $build_dir/check-windows-dll.txt"
resource_version=$(strings -el "$stage/QuorvelMFD.dll" | sed -n '/^ProductVersion$/{n;p;q}')
[[ $resource_version == "$version" ]] ||
  die "the DLL's version resource says ${resource_version:-nothing}, not $version"

# The guide, and what it was made from and with.
packages=(g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix-runtime mingw-w64-i686-dev binutils-mingw-w64-i686
          cmake ninja-build libcairo2 fonts-dejavu-core libgl1-mesa-dri python3-markdown zip)
tools=$(dpkg-query -W -f='| `${Package}` | ${Version} |\n' "${packages[@]}") ||
  die "dpkg-query does not know all of ${packages[*]}"
{
  cat docs/pilot-guide.md
  cat <<ABOUT

## About this archive

QuorvelMFD $version, built by \`scripts/release.sh\` from commit
\`$commit\`${changed:+ with uncommitted changes} of its source, with these
Debian 12 packages. The same commit built with the same package versions
gives this archive byte for byte; \`SHA256SUMS\` lists the sums of its
files. QuorvelMFD is free software under the MIT licence (\`LICENSE\`).

| Debian package | version |
|---|---|
$tools
ABOUT
} >"$stage/pilot-guide.txt"
markdown_py -x tables -x toc -o html "$stage/pilot-guide.txt" >"$build_dir/pilot-guide-body.html"
awk -v version="$version" -v body="$build_dir/pilot-guide-body.html" '
  /^@BODY@$/ { while ((getline line < body) > 0) print line; next }
  { gsub(/@VERSION@/, version); print }' release/pilot-guide.html.in >"$stage/pilot-guide.html"

# Sums, modes and dates; then the files in name order, without the
# system's extra fields (owner, exact times), in UTC's wall-clock time.
sums=$(cd "$stage" && LC_ALL=C ls | xargs sha256sum --)
echo "$sums" >"$stage/SHA256SUMS"
chmod 0644 "$stage"/*
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*
mkdir -p "$out_dir"
archive=$(realpath "$out_dir")/$name.zip
rm -f "$archive.partial"
(cd "$stage" && LC_ALL=C ls | TZ=UTC zip -X -D -q -9 "$archive.partial" -@)
mv "$archive.partial" "$archive"

echo "release: $archive ($(stat -c %s "$archive") bytes), from commit $commit${changed:+ with uncommitted changes}"
(cd "$stage" && LC_ALL=C ls | sed 's/^/  /')
echo "  SHA-256 of the archive: $(sha256sum "$archive" | cut -d' ' -f1)"
