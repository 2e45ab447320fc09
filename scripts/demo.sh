#!/usr/bin/env bash
# The demonstration: a whole upload from a simulated tester, as a user runs it.
#
# Installs what is missing, builds the linux preset, makes a simulated tester, loads it with the
# sample configuration (the plan samples/TransfertVersTR.toml, compiled by `testerplan compile` and
# sent by `quillink ECRITURE`), lets it run its tests (a few failures and a cable-length
# measurement with its curve), then runs the upload through
# `morvane --language en --report ...`: Morvane starts Quillink twice (LECTURE_INFO, then
# GENERATION_BIN), reads Results.log and writes the report, which is printed at the end.
# Everything happens in build/demo/, renewed at every run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

if [ "$(id -u)" = 0 ]; then
  bash scripts/install-deps.sh
else
  echo "(not root: skipping scripts/install-deps.sh)"
fi

echo "=== Building (linux preset)"
cmake --preset linux >/dev/null
cmake --build --preset linux --target quillink morvane testersim testerplan -j "$(nproc)"

bin="$root/build/linux/bin"
demo="$root/build/demo"
state="$demo/tester.sim"
rm -rf "$demo"
mkdir -p "$demo"
# The program folder: Morvane and the tool side by side, as they are delivered.
cp "$bin/morvane" "$bin/quillink" "$demo/"
# The programs' progress windows and boxes close by themselves: nobody has to press Enter.
export HALVEN_UNATTENDED=1
export QUILLINK_SIMULATOR="$state"

echo "=== A simulated tester, loaded with the sample configuration"
"$bin/testersim" new "$state"
"$bin/testerplan" compile samples/TransfertVersTR.toml -o "$demo/TransfertVersTR.zel"
# The tool speaks the language of the translation file Morvane writes for it. Its window (the
# progress lines on the terminal) goes to a log, to keep this output short.
(cd "$demo" && ./morvane --language en --write-translation && ./quillink ECRITURE) \
  >"$demo/ecriture.log" 2>&1 || { cat "$demo/ecriture.log"; exit 1; }
[ -s "$demo/MenuCfg.h86" ] || { cat "$demo/ecriture.log"; echo "no configuration sent" >&2; exit 1; }
echo "   configuration sent ($(wc -l <"$demo/MenuCfg.h86") records of MenuCfg.h86; tool window: $demo/ecriture.log)"

echo "=== The tester runs its tests: ECU 2 fails its signal test, a short circuit L1-GND, 37 m of cable"
"$bin/testersim" results "$state" --all-pass --fail-ecu 2 --fail-wiring --length 37

echo "=== Upload: morvane --language en --report $demo/report.txt"
status=0
"$demo/morvane" --language en --report "$demo/report.txt" >"$demo/upload.log" 2>&1 || status=$?
if [ "$status" != 0 ]; then
  cat "$demo/upload.log"
  echo "the upload ended with status $status (see morvane --help)" >&2
  exit "$status"
fi
echo "   the tool's two windows: $demo/upload.log"
grep -a "Report written" "$demo/upload.log"

echo
echo "=== The report: $demo/report.txt (Windows-1252, shown here in UTF-8)"
iconv -f CP1252 -t UTF-8 "$demo/report.txt"
echo
