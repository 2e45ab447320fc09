#!/usr/bin/env bash
# Screenshots of the installer's first page under Wine and Xvfb, with the system's language set to
# English, French and German: writes docs/screenshots/installer_welcome_{en,fr,de}.png.
#
# Usage: bash scripts/dev/screenshot_installer.sh [INSTALLER]
# Default INSTALLER: the one scripts/package.sh leaves in build/packages/. Uses a Wine prefix of its
# own under build/, so that closing it touches no other Wine program; nothing is installed.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="$root/docs/screenshots"
setup="${1:-$(ls "$root"/build/packages/halven-tester-pc-*-setup.exe 2>/dev/null | head -n1)}"

if [ -z "${SCREENSHOT_INNER:-}" ]; then
  [ -f "$setup" ] || { echo "run scripts/package.sh first: no installer" >&2; exit 1; }
  mkdir -p "$out"
  export SCREENSHOT_INNER=1
  exec xvfb-run -a -s "-screen 0 800x600x24" bash "$0" "$setup"
fi

export WINEPREFIX="$root/build/wine-screenshots"
# No menu entries or file types for the installer's shortcuts.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
source "$root/scripts/wine-env.sh"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

for lang in en_GB fr_FR de_DE; do
  short=${lang%_*}
  # A virtual desktop: Wine draws the window frame and caption itself.
  LANG=$lang.UTF-8 LC_ALL=$lang.UTF-8 \
    wine explorer /desktop=installer,640x480 "$setup" >/dev/null 2>&1 &
  window=""
  for _ in $(seq 1 60); do
    window="$(xdotool search --name '^installer - Wine desktop$' 2>/dev/null | head -n1 || true)"
    [ -n "$window" ] && break
    sleep 0.5
  done
  [ -n "$window" ] || { echo "the Wine desktop did not appear" >&2; exit 1; }
  sleep 4  # the page paints
  import -window "$window" "$out/installer_welcome_$short.png"
  echo "wrote $out/installer_welcome_$short.png"
  wineserver -k >/dev/null 2>&1 || true
  wait || true
done
