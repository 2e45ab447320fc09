#!/usr/bin/env bash
# The web-page report in a real browser: one upload from the simulated tester (sample
# configuration, ECU 2 and the wiring failing, a 37 m cable), written as HTML in German, English and
# French by the Linux build, then rendered by headless Chromium to docs/screenshots/report_*.png.
# Also leaves the three pages, the JSON and the CSV in build/report_pages/ for a look.
#
# Usage: bash scripts/dev/screenshot_reports.sh [OUTPUT_FOLDER]
# Needs the linux preset built and Debian's chromium (scripts/install-deps.sh installs it).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="${1:-$root/docs/screenshots}"
bin="$root/build/linux/bin"
for program in morvane quillink testersim; do
  [ -x "$bin/$program" ] || { echo "build the linux preset first: $bin/$program is missing" >&2; exit 1; }
done
command -v chromium >/dev/null || { echo "chromium is missing (scripts/install-deps.sh)" >&2; exit 1; }

work="$(mktemp -d)"
profile="$(mktemp -d)"
trap 'rm -rf "$work" "$profile"' EXIT
cp "$bin/morvane" "$bin/quillink" "$work/"
cp "$root/samples/TransfertVersTR.zel" "$work/"
export HALVEN_UNATTENDED="$work/boxes.log"
export QUILLINK_SIMULATOR="$work/tester.sim"

"$bin/testersim" new "$work/tester.sim" >/dev/null
(cd "$work" && ./morvane --language en --write-translation && ./quillink ECRITURE >/dev/null 2>&1)
"$bin/testersim" results "$work/tester.sim" --all-pass --fail-ecu 2 --fail-wiring --length 37 >/dev/null

pages="$root/build/report_pages"
mkdir -p "$out" "$pages"
for language in de en fr; do
  (cd "$work" && ./morvane --language "$language" --report "$pages/report_$language.html") \
    >/dev/null 2>&1
  chromium --headless --no-sandbox --disable-gpu --disable-background-networking \
    --disable-component-update --disable-sync --no-first-run --user-data-dir="$profile" \
    --hide-scrollbars --screenshot="$out/report_html_$language.png" --window-size=900,2150 \
    "file://$pages/report_$language.html" >/dev/null 2>&1
  echo "wrote $out/report_html_$language.png"
done
(cd "$work" && ./morvane --language en --report "$pages/report_en.json" \
  && ./morvane --language en --report "$pages/report_en.csv") >/dev/null 2>&1
(cd "$work" && ./morvane --list)
