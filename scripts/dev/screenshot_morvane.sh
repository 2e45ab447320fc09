#!/usr/bin/env bash
# Screenshots of the Windows build of Morvane under Wine and Xvfb: the main dialog in English, the
# same after switching to French through the Language menu (menu bar renamed, the French item
# checked), and the About box. Writes docs/screenshots/morvane_*.png.
#
# Usage: bash scripts/dev/screenshot_morvane.sh [OUTPUT_FOLDER]
# Needs the windows preset built (build/windows/bin/Morvane.exe), wine, xvfb-run, xdotool and
# ImageMagick's import (scripts/install-deps.sh installs them). Uses a Wine prefix of its own under
# build/, so that closing it touches no other Wine program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/docs/screenshots}"
exe="$root/build/windows/bin/Morvane.exe"

if [ -z "${SCREENSHOT_INNER:-}" ]; then
  [ -f "$exe" ] || { echo "build the windows preset first: $exe is missing" >&2; exit 1; }
  mkdir -p "$out"
  export SCREENSHOT_INNER=1
  exec xvfb-run -a -s "-screen 0 800x600x24" bash "$0" "$out"
fi

export WINEPREFIX="$root/build/wine-screenshots"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Preparing the Wine prefix $WINEPREFIX ..."
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi

work="$(mktemp -d)"
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
cp "$exe" "$work/"

# A virtual desktop: Wine draws the window frame, caption and menu bar itself.
(cd "$work" && wine explorer /desktop=morvane,420x300 Morvane.exe >/dev/null 2>&1) &

window=""
for _ in $(seq 1 60); do
  window="$(xdotool search --name '^morvane - Wine desktop$' 2>/dev/null | head -n1 || true)"
  [ -n "$window" ] && break
  sleep 0.5
done
[ -n "$window" ] || { echo "the Wine desktop did not appear" >&2; exit 1; }
sleep 3  # the dialog paints

shot() {
  import -window "$window" "$out/$1"
  echo "wrote $out/$1"
}
keys() {
  xdotool key --delay 200 "$@"
  sleep 1
}

# The dialog lies at the desktop's top left corner; a click on its caption makes it active.
xdotool mousemove --window "$window" 60 11 click 1
sleep 1
xdotool mousemove --window "$window" 300 250
shot morvane_main_english.png
# Language > French: F10 opens the menu bar on File; Right moves to Language; Enter opens it on
# German; two Downs reach French.
keys F10 Right Return Down Down Return
shot morvane_main_french.png
# The renamed Language menu opened, with the check mark on its French item.
keys F10 Right Return
shot morvane_menu_french.png
keys Escape Escape
# Info opens the About box.
keys F10 Right Right Return
shot morvane_about.png
keys Return
keys Escape
