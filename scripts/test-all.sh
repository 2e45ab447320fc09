#!/usr/bin/env bash
# Installs what is missing, checks the C++ files' format, builds the three presets (linux, asan,
# windows) and runs every test: natively, under AddressSanitizer + UndefinedBehaviorSanitizer, and
# the Windows build under Wine.
# All three test runs happen even when one fails; exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
bash scripts/install-deps.sh

jobs=$(nproc)
for preset in linux asan windows; do
  echo "=== build: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

failed=()
echo "=== format (.clang-format)"
bash tests/scripts/check_format.sh || failed+=(format)
echo "=== tests: linux"
ctest --preset linux || failed+=(linux)
echo "=== tests: asan"
ctest --preset asan || failed+=(asan)
echo "=== tests: windows (Wine, Xvfb)"
source scripts/wine-env.sh
xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset windows || failed+=(windows)
echo "=== tests: dialogs (Wine, Xvfb, xdotool)"
bash tests/gui/run_gui_tests.sh || failed+=(gui)
echo "=== packages (release builds, Wine, Xvfb)"; bash tests/packaging/run_package_tests.sh || failed+=(packages)

echo "=== took $(( ($(date +%s) - start) / 60 )) min"
if [ ${#failed[@]} -gt 0 ]; then
  echo "=== FAILED: ${failed[*]}"
  exit 1
fi
echo "=== all tests passed"
