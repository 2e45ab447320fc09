#!/usr/bin/env bash
# Builds the three packages from the release presets into build/packages/:
#   halven-tester-pc-<version>-setup.exe   Windows installer (NSIS)
#   halven-tester-pc-<version>-win64.zip   portable Windows folder
#   halven-tester-pc_<version>_amd64.deb   Debian package
# Installs what is missing first when run as root. Prints the sizes of the programs and packages.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
if [ "$(id -u)" = 0 ]; then
  bash scripts/install-deps.sh
else
  echo "(not root: skipping scripts/install-deps.sh)"
fi
jobs=$(nproc)
out="$root/build/packages"
rm -rf "$out"
mkdir -p "$out"

echo "=== release build: Linux"
cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs"
(cd build/release && cpack -G DEB >/dev/null)
cp build/release/halven-tester-pc_*.deb "$out/"

echo "=== release build: Windows"
cmake --preset windows-release >/dev/null
cmake --build --preset windows-release -j "$jobs"
cmake --build build/windows-release --target installer
(cd build/windows-release && cpack -G ZIP >/dev/null)
cp build/windows-release/halven-tester-pc-*-setup.exe build/windows-release/halven-tester-pc-*-win64.zip \
  "$out/"

echo "=== programs (stripped release builds), bytes"
stat -c '%s %n' build/release/bin/{morvane,quillink,testersim,testerplan} \
  build/windows-release/bin/{Morvane,Quillink,testersim,testerplan}.exe
echo "=== packages, bytes"
stat -c '%s %n' "$out"/*
