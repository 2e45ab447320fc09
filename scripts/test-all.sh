#!/usr/bin/env bash
# Installs what is missing, builds the three presets (linux, asan, windows) and runs every test:
# natively, under AddressSanitizer + UndefinedBehaviorSanitizer, and the Windows build under Wine.
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
for preset in linux asan windows; do
  echo "=== build: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

echo "=== tests: linux"
ctest --preset linux
echo "=== tests: asan"
ctest --preset asan
echo "=== tests: windows (Wine, Xvfb)"
source scripts/wine-env.sh
xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset windows
echo "=== all tests passed"
