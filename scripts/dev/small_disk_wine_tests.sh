#!/bin/sh
# Runs the Windows build's full-disk tests under Wine on a 64 KiB tmpfs (root only; Wine reaches
# it through Z:). The end-to-end test starts the dialog programs, so it runs under Xvfb; the
# others run without it (their death test does not come back under xvfb-run here).
set -e
cd "$(dirname "$0")/../.."
. scripts/wine-env.sh
disk=$(mktemp -d /tmp/halven_small_disk.XXXXXX)
mount -t tmpfs -o size=64k tmpfs "$disk"
trap 'umount "$disk"; rmdir "$disk"' EXIT INT TERM
export HALVEN_SMALL_DISK=$(printf 'Z:%s' "$disk" | sed 's|/|\\|g')
status=0
wine build/windows/bin/unit_tests.exe --gtest_filter='*FullDisk*:-UploadEndToEnd*' || status=1
# A Wine server started without a display would serve the next run too, and its dialogs could not
# be created: let it end first.
wineserver -w
xvfb-run -a -s "-screen 0 1024x768x24" \
  wine build/windows/bin/unit_tests.exe --gtest_filter='UploadEndToEnd*FullDisk*' || status=1
exit $status
