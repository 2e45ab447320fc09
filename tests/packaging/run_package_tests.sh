#!/usr/bin/env bash
# The packages as users get them (scripts/package.sh builds them into build/packages/):
# - the Debian package unpacked into a temporary root: an upload from a simulated tester with the
#   program folder read-only and a temporary HOME lands in the data folder; manual pages, the
#   version in --help and lintian without errors;
# - the zip unpacked: the same upload from its folder under Wine;
# - the installer under Wine: silent install into the prefix, the upload from the installed
#   folder, the shortcut and the uninstall entry, then a silent uninstall that removes the programs
#   but keeps a report and an archive left in the folder.
# Ends with "N passed, N failed"; exits non-zero on any failure.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
cd "$root" || exit 1
start=$(date +%s)
bash scripts/package.sh >/tmp/halven_package_build.$$.log 2>&1 ||
  { cat /tmp/halven_package_build.$$.log; echo "0 passed, 1 failed"; exit 1; }
rm -f /tmp/halven_package_build.$$.log
packages="$root/build/packages"
deb=$(ls "$packages"/halven-tester-pc_*_amd64.deb)
zip=$(ls "$packages"/halven-tester-pc-*-win64.zip)
setup=$(ls "$packages"/halven-tester-pc-*-setup.exe)
version=$(dpkg-deb -f "$deb" Version)
product="Halven tester PC suite"

work=$(mktemp -d /tmp/halven_package_tests.XXXXXX)
chmod 755 "$work"
passed=0
failed=0
check() {  # check NAME COMMAND...: one line per check
  local name=$1
  shift
  if "$@" >>"$work/checks.log" 2>&1; then
    echo "ok    $name"
    passed=$((passed + 1))
  else
    echo "FAIL  $name (see $work/checks.log)"
    failed=$((failed + 1))
  fi
}
export HALVEN_UNATTENDED=1

echo "=== Debian package $(basename "$deb") ($(stat -c %s "$deb") bytes)"
debroot="$work/debroot"
dpkg-deb -x "$deb" "$debroot"
bin="$debroot/usr/bin"
check "unpacks the four programs into /usr/bin" test -x "$bin/morvane" -a -x "$bin/quillink" -a -x "$bin/testersim" \
  -a -x "$bin/testerplan"
check "a manual page for each program" test -s "$debroot/usr/share/man/man1/morvane.1.gz" \
  -a -s "$debroot/usr/share/man/man1/quillink.1.gz" -a -s "$debroot/usr/share/man/man1/testersim.1.gz" \
  -a -s "$debroot/usr/share/man/man1/testerplan.1.gz"
check "desktop entry for morvane in a terminal" grep -qx "Terminal=true" \
  "$debroot/usr/share/applications/morvane.desktop"
check "--help of morvane and quillink shows the package's version $version" \
  bash -c "'$bin/morvane' --help | grep -qx '$product $version' &&
           '$bin/quillink' --help | grep -qx '$product $version'"
check "lintian reports no error" bash -c "! lintian '$deb' 2>&1 | grep '^E:'"

# What a new user meets first: the pages read without warnings, each with a SYNOPSIS and no
# reference to itself; the desktop entry's icon; descriptions naming the formats and the archive.
check "lintian reports no warning" bash -c "! lintian '$deb' 2>&1 | grep '^W:'"
man_page_clean() {  # man_page_clean PROGRAM
  local page="$debroot/usr/share/man/man1/$1.1.gz" shown
  shown=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) || return 1
  [ -z "$shown" ] || { echo "$shown"; return 1; }
  shown=$(MANWIDTH=80 man -l "$page" 2>/dev/null)
  grep -q '^SYNOPSIS' <<<"$shown" && ! sed -n '/^SEE ALSO/,$p' <<<"$shown" | grep -q "$1(1)"
}
for program in morvane quillink testersim; do
  check "manual page of $program: no warning, a SYNOPSIS, no SEE ALSO of itself" man_page_clean "$program"
done
check "desktop entry's icon is installed" bash -c "grep -qx 'Icon=morvane' '$debroot/usr/share/applications/morvane.desktop' &&
  file '$debroot/usr/share/icons/hicolor/32x32/apps/morvane.png' | grep -q 'PNG image data, 32 x 32'"
check "package and desktop descriptions name the formats and the archive" \
  bash -c "dpkg-deb -f '$deb' Description | grep -q 'web page (HTML)' && dpkg-deb -f '$deb' Description | grep -q archive &&
           grep -q 'web page' '$debroot/usr/share/applications/morvane.desktop'"

# A simulated tester holding the sample configuration and its results, made with the package's
# own programs; every upload below starts from a copy of it.
tester="$work/tester.sim"
mkdir "$work/configure"
(
  cd "$work/configure" &&
    "$bin/testersim" new "$tester" &&
    cp "$debroot/usr/share/doc/halven-tester-pc/examples/TransfertVersTR.zel" . &&
    "$bin/morvane" --write-translation &&
    QUILLINK_SIMULATOR="$tester" "$bin/quillink" ECRITURE &&
    "$bin/testersim" results "$tester" --all-pass --fail-ecu 1 --length 37
) >"$work/configure.log" 2>&1
check "simulated tester loaded with the sample configuration" test -s "$work/configure/MenuCfg.h86"

# The user: a fresh HOME, no write access to the programs' folder (root writes anywhere, so the
# upload runs as nobody then).
user_home="$work/home"
mkdir -p "$user_home" "$work/deb_upload"
cp "$tester" "$work/deb_upload/tester.sim"
chmod a-w "$bin"
as_user=()
if [ "$(id -u)" = 0 ]; then
  chown -R nobody:nogroup "$user_home" "$work/deb_upload"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
deb_upload() {
  env -u XDG_DATA_HOME HOME="$user_home" QUILLINK_SIMULATOR="$work/deb_upload/tester.sim" \
    "${as_user[@]}" "$bin/morvane" --language en --report "$work/deb_upload/report.txt"
}
check "morvane --report from the read-only /usr/bin completes an upload" deb_upload
data="$user_home/.local/share/halven"
check "the exchange files are in ~/.local/share/halven" \
  test -s "$data/Results.log" -a -f "$data/Tr.ini" -a -f "$data/InfoTrfTR.zel" -a -s "$data/AcqBin.zel"
check "the report is written where asked" grep -q "Date of upload" "$work/deb_upload/report.txt"
check "nothing is written beside the installed programs" \
  bash -c "[ \"\$(ls '$bin' | sort | tr '\n' ' ')\" = 'morvane quillink testerplan testersim ' ]"

# The archive of that upload: beside the exchange files in the data folder, listed and rendered
# again from there by the same user.
deb_morvane() { env -u XDG_DATA_HOME HOME="$user_home" "${as_user[@]}" "$bin/morvane" "$@"; }
deb_archived() { ls -d "$data/Uploads"/*/ | head -1; }
deb_archive_in_data() { test -s "$(deb_archived)Manifest.txt" -a ! -e "$bin/Uploads"; }
deb_list() { [ "$(deb_morvane --list | grep -c '^20.* failed$')" = 1 ]; }
deb_render() {
  deb_morvane --render "$(basename "$(deb_archived)")" --language en \
    --report "$work/deb_upload/again.txt" &&
    cmp "$work/deb_upload/again.txt" "$work/deb_upload/report.txt"
}
check "the upload is archived in ~/.local/share/halven/Uploads" deb_archive_in_data
check "morvane --list shows the archived upload" deb_list
check "morvane --render writes the archived upload's report again" deb_render
chmod u+w "$bin"

# Windows programs under Wine. The simulated tester is named by its Windows path.
# winemenubuilder off: the shortcut must not turn into menu entries of this machine's desktop.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=};winemenubuilder.exe=d"
source scripts/wine-env.sh
win_path() { winepath -w "$1" 2>/dev/null; }
wine_upload() {  # wine_upload FOLDER: Morvane.exe --report FOLDER\report.txt, with its own tester
  cp "$tester" "$work/win_tester_$2.sim"
  QUILLINK_SIMULATOR="$(win_path "$work/win_tester_$2.sim")" \
    wine "$1/Morvane.exe" --language en --report "$(win_path "$1")\\report.txt"
}

echo "=== Portable zip $(basename "$zip") ($(stat -c %s "$zip") bytes)"
mkdir "$work/zip"
unzip -q "$zip" -d "$work/zip"
zipdir=$(ls -d "$work/zip"/halven-tester-pc-*)
check "unpacks Morvane.exe and Quillink.exe side by side" \
  test -f "$zipdir/Morvane.exe" -a -f "$zipdir/Quillink.exe" -a -f "$zipdir/testersim.exe" \
    -a -f "$zipdir/testerplan.exe"
check "Morvane.exe --report from the unpacked folder completes an upload" wine_upload "$zipdir" zip

# The read-me of the zip, and each program's version resource as the file properties show it.
check "the zip holds its read-me" grep -q "Morvane.exe --help" "$zipdir/ReadMe.txt"
version_resource() {  # version_resource EXE DESCRIPTION
  local shown
  shown=$(wrestool -x --raw -t 16 "$1" | tr -d '\000') || return 1
  for value in "ProductName$product" "ProductVersion$version" "FileVersion$version" "FileDescription$2"; do
    grep -qF "$value" <<<"$shown" || { echo "$1: no $value"; return 1; }
  done
}
check "Morvane.exe carries its version resource" version_resource "$zipdir/Morvane.exe" "Halven tester results"
check "Quillink.exe carries its version resource" version_resource "$zipdir/Quillink.exe" "Halven tester communication tool"
check "testersim.exe carries its version resource" version_resource "$zipdir/testersim.exe" "Halven tester simulator"
check "the exchange files and the report are in that folder" \
  test -s "$zipdir/Results.log" -a -f "$zipdir/Tr.ini" -a -s "$zipdir/report.txt"

echo "=== Installer $(basename "$setup") ($(stat -c %s "$setup") bytes)"
local_appdata=$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
appdata=$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')
instdir="$(winepath -u "$local_appdata" 2>/dev/null)/Programs/$product"
shortcut="$(winepath -u "$appdata" 2>/dev/null)/Microsoft/Windows/Start Menu/Programs/$product/Morvane.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\HalvenTesterPC'
reg_value() { wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | grep -q "REG_SZ *$2\$"; }
rm -rf "$instdir"
wine reg delete "$key" /f >/dev/null 2>&1
check "installs silently (/S) without administrator rights" wine "$setup" /S
check "Morvane.exe, Quillink.exe and testersim.exe in %LOCALAPPDATA%\\Programs\\$product" \
  test -f "$instdir/Morvane.exe" -a -f "$instdir/Quillink.exe" -a -f "$instdir/testersim.exe" \
    -a -f "$instdir/testerplan.exe"
check "Start-menu shortcut to Morvane" test -s "$shortcut"
check "uninstall entry with the product's name and version" \
  bash -c "$(declare -f reg_value); key='$key'; reg_value DisplayName '$product' && reg_value DisplayVersion '$version'"
# The size the list of installed programs shows: the installed folder's, in KiB.
estimated_size() {
  local shown kib
  shown=$(wine reg query "$key" /v EstimatedSize 2>/dev/null | tr -d '\r' | awk '/REG_DWORD/ {print $3}')
  kib=$(du -sk "$instdir" | cut -f1)
  echo "EstimatedSize $shown, folder $kib KiB"
  [ -n "$shown" ] && [ $((shown)) -gt 0 ] && [ $((shown)) -le "$kib" ] && [ $((shown * 10)) -ge $((kib * 8)) ]
}
check "uninstall entry with the installed size (EstimatedSize)" estimated_size
check "the installed Morvane.exe --report completes an upload" wine_upload "$instdir" installed
check "the exchange files and the report are in the installed folder" \
  test -s "$instdir/Results.log" -a -s "$instdir/report.txt"
# What the user keeps: the report above and the archive the upload made in Uploads/.
archived() { (cd "$instdir" && find Uploads -type f 2>/dev/null | sort | xargs -r md5sum); }
kept="$(archived)"
check "the upload is archived in the installed folder's Uploads/" \
  bash -c "ls '$instdir'/Uploads/*/Manifest.txt >/dev/null 2>&1"
uninstall() {
  wine "$instdir/Uninstall.exe" /S || return 1
  # The uninstaller runs from a copy of itself and returns at once; wait for it to finish.
  for _ in $(seq 1 60); do
    [ ! -e "$instdir/Uninstall.exe" ] && return 0
    sleep 1
  done
  return 1
}
check "uninstalls silently (/S)" uninstall
check "the programs are removed" test ! -e "$instdir/Morvane.exe" -a ! -e "$instdir/Quillink.exe" \
  -a ! -e "$instdir/testersim.exe" -a ! -e "$instdir/testerplan.exe" -a ! -e "$instdir/Tr.ini" \
  -a ! -e "$instdir/Results.log"
check "the report and the archive are kept" \
  test -s "$instdir/report.txt" -a -n "$kept" -a "$(archived)" = "$kept"
check "the shortcut is removed" test ! -e "$shortcut"
check "the uninstall entry is removed" bash -c "! wine reg query '$key' >/dev/null 2>&1"
rm -rf "$instdir"

echo "=== took $(($(date +%s) - start)) s"
echo "$passed passed, $failed failed"
if [ "$failed" = 0 ]; then rm -rf "$work"; fi
[ "$failed" = 0 ]
