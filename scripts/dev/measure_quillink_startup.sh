#!/usr/bin/env bash
# Start-up time of quillink (Linux build) up to its first request to the tester, beyond the
# worker's 1000 ms start pause: from execve to the start of the pause, plus from the pause's end to
# the simulator opening its state file (the driver's enumeration device). Runs LECTURE_INFO against
# a fresh simulated tester RUNS times (default 5) under strace with seccomp filtering.
#
# Usage: scripts/dev/measure_quillink_startup.sh [RUNS]   (needs the linux preset built and strace)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin="$root/build/linux/bin"
runs=${1:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
python3 - <<'PY'
import struct
with open("InfoTrfTR.zel", "wb") as f:
    for i in range(43):
        data = ("Message %d." % i).encode()
        f.write(struct.pack("<H", len(data) - 1) + data)
PY
"$bin/testersim" new tester.sim
for run in $(seq "$runs"); do
  QUILLINK_SIMULATOR="$work/tester.sim" HALVEN_UNATTENDED= strace -f --seccomp-bpf -ttt \
    -e trace=execve,clock_nanosleep,openat -o trace.txt "$bin/quillink" LECTURE_INFO >/dev/null 2>&1
  python3 - trace.txt <<'PY'
import sys
lines = open(sys.argv[1]).read().splitlines()
at = lambda line: float(line.split()[1])
start = at(next(l for l in lines if "execve(" in l))
pause = at(next(l for l in lines if "clock_nanosleep" in l and "tv_sec=0, tv_nsec=999" in l))
request = at(next(l for l in lines if "tester.sim" in l and "openat" in l))
print("to the pause %.2f ms + after the pause %.2f ms = %.2f ms beyond the 1000 ms pause" %
      ((pause - start) * 1e3, (request - pause) * 1e3 - 1000, (request - start) * 1e3 - 1000))
PY
done
