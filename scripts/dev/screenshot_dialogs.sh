#!/usr/bin/env bash
# Screenshots of the Windows dialogs in every state the GUI tests reach (Morvane's dialog in three
# languages, its menu, About box, save dialog, stop box and the report's viewer; Quillink's progress
# dialog running, after a read, after a failure, at the end of an upload), taken while
# tests/gui/run_gui_tests.sh drives them under Wine and Xvfb. Writes docs/screenshots/*.png.
#
# Usage: bash scripts/dev/screenshot_dialogs.sh [OUTPUT_FOLDER]
# GUI_ONLY=morvane or GUI_ONLY=quillink limits the run to one program.
# Needs the windows preset built, wine, xvfb-run, xdotool and ImageMagick's import.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
exec bash "$root/tests/gui/run_gui_tests.sh" --screenshots "${1:-$root/docs/screenshots}"
