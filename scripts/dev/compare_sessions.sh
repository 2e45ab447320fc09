#!/usr/bin/env bash
# The same user sessions with two builds, and what they leave compared byte for byte.
#
#   scripts/dev/compare_sessions.sh OLD_BIN NEW_BIN [WORK]
#
# OLD_BIN and NEW_BIN are folders holding quillink, morvane and testersim (for example
# /work/base/build/linux/bin and build/linux/bin). For each build, in WORK/old and WORK/new: a new
# simulated tester, the sample configuration sent (morvane --write-translation, quillink ECRITURE),
# the tester's tests run with a failing ECU, a wiring fault and 37 m of cable, an upload with
# morvane --report in English, French and German, then quillink LECTURE_INFO and GENERATION_BIN
# standalone. Then `diff -r` of the two folders, with what holds the time of the run masked: the
# conversion's Date line, the date line of the reports, the archive's folder names and its
# manifest's two dates. Exit status 0 when they are the same.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
old_bin="$(cd "$1" && pwd)"
new_bin="$(cd "$2" && pwd)"
work="${3:-$(mktemp -d)}"
rm -rf "$work/old" "$work/new"
export HALVEN_UNATTENDED=1

session() {
  local bin="$1" dir="$2"
  mkdir -p "$dir"
  cp "$bin/morvane" "$bin/quillink" "$dir/"
  export QUILLINK_SIMULATOR="$dir/tester.sim"
  (
    cd "$dir"
    "$bin/testersim" new tester.sim >testersim.out 2>&1
    cp "$root/samples/TransfertVersTR.zel" .
    ./morvane --language en --write-translation >write_translation.out 2>&1
    ./quillink ECRITURE >ecriture.out 2>&1 || echo "status $?" >>ecriture.out
    "$bin/testersim" results tester.sim --all-pass --fail-ecu 2 --fail-wiring --length 37 \
      >>testersim.out 2>&1
    for language in en fr de; do
      ./morvane --language "$language" --report "report_$language.txt" >"upload_$language.out" 2>&1 ||
        echo "status $?" >>"upload_$language.out"
    done
    ./quillink LECTURE_INFO >lecture_info.out 2>&1 || echo "status $?" >>lecture_info.out
    ./quillink GENERATION_BIN >generation_bin.out 2>&1 || echo "status $?" >>generation_bin.out
    rm -f morvane quillink
    # The conversion's date and the archive's folder names hold the time of the run.
    sed -i 's/^Date=.*/Date=(masked)/' Results.log
    if [ -d Uploads ]; then
      n=0
      for upload in Uploads/*/; do
        n=$((n + 1))
        sed -i 's/^Date=.*/Date=(masked)/' "$upload/Results.log" 2>/dev/null || true
        sed -i 's/^\(date\|archived\)=.*/\1=(masked)/' "$upload/Manifest.txt" 2>/dev/null || true
        mv "$upload" "Uploads/upload_$n"
      done
    fi
    # The report's date line is the conversion's date.
    for report in report_*.txt Uploads/*/Report.txt; do
      [ -f "$report" ] && sed -i '2s/: .*/: (masked)/' "$report"
    done
    # Texts that name the run's own folder or time.
    sed -i "s#$dir#(folder)#g; s#[0-9]\{4\}-[0-9]\{2\}-[0-9]\{2\}_[0-9-]\{8\}#(time)#g" ./*.out
  )
}

session "$old_bin" "$work/old"
session "$new_bin" "$work/new"
echo "sessions in $work; files compared:"
(cd "$work/old" && find . -type f | sort | sed 's/^/  /')
if diff -r "$work/old" "$work/new"; then
  echo "identical"
else
  echo "DIFFERENT" >&2
  exit 1
fi
