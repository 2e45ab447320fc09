#!/usr/bin/env bash
# Screenshots of Morvane.exe's dialogs under Wine and Xvfb (docs/screenshots/morvane_*.png); the
# states and the way they are reached are those of the GUI tests: scripts/dev/screenshot_dialogs.sh.
#
# Usage: bash scripts/dev/screenshot_morvane.sh [OUTPUT_FOLDER]
set -euo pipefail
GUI_ONLY=morvane exec bash "$(dirname "$0")/screenshot_dialogs.sh" "$@"
