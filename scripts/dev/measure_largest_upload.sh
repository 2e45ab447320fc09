#!/usr/bin/env bash
# Times the largest results upload (255 configurations, an 843,207-byte Results.log) against a
# simulated tester, with the Linux and the Windows build, and the conversion and Morvane's read
# and text report of the same files alone:
#
#   scripts/dev/measure_largest_upload.sh LINUX_BIN WINDOWS_BIN [RUNS]
#
# LINUX_BIN holds quillink, morvane, testersim, write_largest_image_set, decode_results and
# read_results;
# WINDOWS_BIN the same .exe files. The Windows programs run under Wine (source scripts/wine-env.sh
# first for a prefix of your own) and Xvfb (started here when DISPLAY is unset). Prints each time
# and whether the two builds' Results.log are the same (Date line masked).
set -euo pipefail
linux_bin="$(cd "$1" && pwd)"
windows_bin="$(cd "$2" && pwd)"
runs="${3:-3}"
work="$(mktemp -d)"
export HALVEN_UNATTENDED=1
if [ -z "${DISPLAY:-}" ]; then
  Xvfb :57 -screen 0 1024x768x24 >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null || true' EXIT
  export DISPLAY=:57
  sleep 1
fi

# The images, and a tester whose memory holds them where an upload reads them.
mkdir -p "$work/images"
(cd "$work/images" && "$linux_bin/write_largest_image_set" >/dev/null)
state="$work/tester.sim"
"$linux_bin/testersim" new "$state" >/dev/null
"$linux_bin/testersim" info "$state" "$work/images/VersionTr.zel" >/dev/null
results_address=$(od -An -tx4 -j22 -N4 "$work/images/VersionTr.zel" | tr -d ' ')
"$linux_bin/testersim" poke "$state" "$results_address" "$work/images/ResBin.zel" >/dev/null
"$linux_bin/testersim" poke "$state" E0000 "$work/images/CfgBin.zel" >/dev/null
"$linux_bin/testersim" poke "$state" 819CA "$work/images/MenuBin.zel" >/dev/null
"$linux_bin/testersim" poke "$state" D2000 "$work/images/AcqBin.zel" >/dev/null

seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null 2>&1 || true; end=$(date +%s.%N); echo "$end - $start" | bc; }

for build in linux windows; do
  dir="$work/$build"
  mkdir -p "$dir"
  cp "$state" "$dir/tester.sim"
  export QUILLINK_SIMULATOR="$dir/tester.sim"
  cd "$dir"
  if [ "$build" = linux ]; then
    "$linux_bin/morvane" --language en --write-translation
  else
    wine "$windows_bin/Morvane.exe" --language en --write-translation
  fi
  for run in $(seq "$runs"); do
    if [ "$build" = linux ]; then
      echo "linux quillink GENERATION_BIN: $(seconds "$linux_bin/quillink" GENERATION_BIN) s"
    else
      echo "wine Quillink.exe GENERATION_BIN: $(seconds wine "$windows_bin/Quillink.exe" GENERATION_BIN) s"
    fi
  done
  sed 's/^Date=.*/Date=/' Results.log >"$work/$build.log"
  for run in $(seq "$runs"); do
    if [ "$build" = linux ]; then
      "$linux_bin/decode_results" | grep Convert | sed 's/^/linux decode_results /'
      "$linux_bin/read_results" | sed 's/^/linux read_results /'
    else
      wine "$windows_bin/decode_results.exe" | tr -d '\r' | grep Convert | sed 's/^/wine decode_results.exe /'
      wine "$windows_bin/read_results.exe" | tr -d '\r' | sed 's/^/wine read_results.exe /'
    fi
  done
  cd - >/dev/null
done
echo "Results.log: $(wc -c <"$work/linux.log") bytes (Date masked)"
if cmp -s "$work/linux.log" "$work/windows.log"; then echo "the two builds' Results.log are the same"; else echo "Results.log DIFFERS between the builds"; fi
rm -rf "$work"
