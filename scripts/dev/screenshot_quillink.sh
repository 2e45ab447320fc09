#!/usr/bin/env bash
# Screenshots of Quillink.exe's progress dialog under Wine and Xvfb (docs/screenshots/quillink_*.png);
# the states and the way they are reached are those of the GUI tests:
# scripts/dev/screenshot_dialogs.sh.
#
# Usage: bash scripts/dev/screenshot_quillink.sh [OUTPUT_FOLDER]
set -euo pipefail
GUI_ONLY=quillink exec bash "$(dirname "$0")/screenshot_dialogs.sh" "$@"
