#!/usr/bin/env bash
# The upload's save dialog of the Windows build under Wine and Xvfb, with its "Save as type" list
# open: "Fichier Txt (*.txt)" first and chosen, then the web page, data and table types. Cancels
# the dialog afterwards (the upload then touches nothing). Writes
# docs/screenshots/morvane_save_dialog_types.png.
#
# Usage: bash scripts/dev/screenshot_save_dialog.sh [OUTPUT_FOLDER]
# Needs what scripts/dev/screenshot_morvane.sh needs, and shares its Wine prefix under build/.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="${1:-$root/docs/screenshots}"
exe="$root/build/windows/bin/Morvane.exe"

if [ -z "${SCREENSHOT_INNER:-}" ]; then
  [ -f "$exe" ] || { echo "build the windows preset first: $exe is missing" >&2; exit 1; }
  mkdir -p "$out"
  export SCREENSHOT_INNER=1
  exec xvfb-run -a -s "-screen 0 900x700x24" bash "$0" "$out"
fi

export WINEPREFIX="$root/build/wine-screenshots"
source "$root/scripts/wine-env.sh"

work="$(mktemp -d)"
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
cp "$exe" "$work/"

(cd "$work" && wine explorer /desktop=morvanesave,760x520 Morvane.exe >/dev/null 2>&1) &

window=""
for _ in $(seq 1 60); do
  window="$(xdotool search --name '^morvanesave - Wine desktop$' 2>/dev/null | head -n1 || true)"
  [ -n "$window" ] && break
  sleep 0.5
done
[ -n "$window" ] || { echo "the Wine desktop did not appear" >&2; exit 1; }
sleep 3

keys() {
  xdotool key --delay 200 "$@"
  sleep 1.5
}

# A click on the Upload button (the dialog lies at the desktop's top left corner): the save dialog
# opens; the first time in a Wine prefix it takes a few seconds.
xdotool mousemove --window "$window" 60 11 click 1
sleep 1
xdotool mousemove --window "$window" 90 74 click 1
sleep 6
# The file name field has the focus; Tab reaches "Save as type", Alt+Down opens its list.
keys Tab
keys alt+Down
import -window "$window" "$out/morvane_save_dialog_types.png"
echo "wrote $out/morvane_save_dialog_types.png"
keys Escape Escape
keys Escape
