#!/bin/sh
# Runs the Windows build's full-disk tests under Wine on a 64 KiB tmpfs (root only; Wine reaches
# it through Z:). Usage: scripts/dev/small_disk_wine_tests.sh [gtest filter]
set -e
cd "$(dirname "$0")/../.."
. scripts/wine-env.sh
disk=$(mktemp -d /tmp/halven_small_disk.XXXXXX)
mount -t tmpfs -o size=64k tmpfs "$disk"
trap 'umount "$disk"; rmdir "$disk"' EXIT
HALVEN_SMALL_DISK=$(printf 'Z:%s' "$disk" | sed 's|/|\\|g') \
  wine build/windows/bin/unit_tests.exe --gtest_filter="${1:-*FullDisk*}"
