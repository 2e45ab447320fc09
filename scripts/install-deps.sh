#!/usr/bin/env bash
# Installs the Debian packages the builds, the tests and the demonstration need (run as root).
# Does nothing when they are all present already.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev googletest libbenchmark-dev
          g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          wine wine64 xvfb xauth srecord python3 python3-intelhex clang libclang-rt-14-dev clang-format
          imagemagick x11-utils xdotool file
          nsis zip unzip lintian help2man icoutils dpkg-dev fakeroot
          chromium fonts-dejavu-core python3-jsonschema libtomlplusplus-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
