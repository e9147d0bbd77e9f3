#!/usr/bin/env bash
# Installs what building, testing and running need on Debian 12, as root.
# Asks the package archive only when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev libtomlplusplus-dev
  libcairo2-dev libfontconfig-dev libfreetype-dev fonts-dejavu-core libpng-dev
  libegl-dev libgl-dev libglu1-mesa-dev libegl-mesa0 libgl1-mesa-dri
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine64 libosmesa6
  clang lld llvm
  libavcodec-dev libavformat-dev libswscale-dev libavutil-dev
  libsdl2-dev xvfb xauth
  python3-markdown zip unzip
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} > 0)); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
