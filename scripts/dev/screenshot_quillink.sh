#!/usr/bin/env bash
# Screenshots of Quillink.exe's progress dialog under Wine and Xvfb: one while a job runs and one
# after it succeeded. The job is a memory read from a simulated tester with a latency, so that it
# lasts a few seconds.
#
# Usage: scripts/dev/screenshot_quillink.sh [OUTPUT_FOLDER]   (default: build/screenshots)
# Needs the windows preset built (build/windows/bin/Quillink.exe and testersim.exe).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin="$root/build/windows/bin"
out=$(mkdir -p "${1:-$root/build/screenshots}" && cd "${1:-$root/build/screenshots}" && pwd)
for program in Quillink.exe testersim.exe; do
  [ -f "$bin/$program" ] || { echo "missing $bin/$program: build the windows preset" >&2; exit 1; }
done
source "$root/scripts/wine-env.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# The translation file: 43 records, a 16-bit count (length - 1) and the text.
python3 - <<'PY'
import struct
messages = ["Upload of the results.", "No USB peripherical.",
            "===== OK ===== \nPlease close the window!"] + ["Message %d." % i for i in range(3, 27)] + [
            "Send sequence read (%d/%d).", "packet size error (%d).",
            "Write target file in progress..."] + ["Message %d." % i for i in range(30, 43)]
with open("InfoTrfTR.zel", "wb") as f:
    for text in messages:
        data = text.encode("cp1252")
        f.write(struct.pack("<H", len(data) - 1) + data)
PY

wine "$bin/testersim.exe" new tester.sim
wine "$bin/testersim.exe" latency tester.sim 60
export QUILLINK_SIMULATOR=tester.sim
unset HALVEN_UNATTENDED  # the dialog must stay after success for the second picture

# Inside one Xvfb server: start the job, picture while it runs, wait for the dump file, picture
# again, then close the dialog with Escape (allowed once the job has ended).
xvfb-run -a -s "-screen 0 640x360x24" bash -s "$bin" "$out" <<'INNER'
set -euo pipefail
bin=$1; out=$2
wine "$bin/Quillink.exe" dump.bin "-READ[E0000,6000]" &
job=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --name "Upload of the results" 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the progress dialog did not appear" >&2; kill "$job"; exit 1; }
sleep 2.5
import -window root "$out/quillink_during.png"
for _ in $(seq 300); do
  [ -f dump.bin ] && [ "$(stat -c %s dump.bin)" -eq $((0x6000)) ] && break
  sleep 0.1
done
sleep 1
import -window root "$out/quillink_after.png"
xdotool key --window "$window" Escape || true
for _ in $(seq 50); do kill -0 "$job" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$job" 2>/dev/null; then kill "$job"; fi
wait "$job" || true
INNER
echo "screenshots: $out/quillink_during.png $out/quillink_after.png"
