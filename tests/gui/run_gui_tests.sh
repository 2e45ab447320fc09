#!/usr/bin/env bash
# GUI tests of the Windows build under Xvfb and Wine: drives the real Quillink.exe and Morvane.exe
# with xdotool, without the unattended mode, against the simulated tester, and asserts what their
# windows show through tests/programs/win32/window_inspector.cpp (texts, enabled state, owner,
# menu items and check marks). Prints one line per check and ends with "N passed, N failed";
# exits non-zero on any failure.
#
# Usage: bash tests/gui/run_gui_tests.sh [--screenshots FOLDER]
# Needs the windows preset built, wine, xvfb-run, xdotool (and ImageMagick for screenshots).
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
bin="$root/build/windows/bin"
shots=""
if [ "${1:-}" = "--screenshots" ]; then
  shots="$(mkdir -p "$2" && cd "$2" && pwd)"
fi

if [ -z "${GUI_TESTS_INNER:-}" ]; then
  for file in Morvane.exe Quillink.exe testersim.exe window_inspector.exe menu_probe.dll; do
    [ -f "$bin/$file" ] || { echo "missing $bin/$file: build the windows preset" >&2; exit 1; }
  done
  export GUI_TESTS_INNER=1
  exec xvfb-run -a -s "-screen 0 800x520x24" bash "$0" "$@"
fi

source "$root/tests/gui/gui_lib.sh"
start=$(date +%s)
gui_prefix
inspector="$bin/window_inspector.exe"
work="$(mktemp -d)"
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
keep_desktop
unset HALVEN_UNATTENDED QUILLINK_SIMULATOR
cd "$work"
cp "$bin/Morvane.exe" "$bin/Quillink.exe" "$bin/testersim.exe" .
# GUI_ONLY=quillink or GUI_ONLY=morvane runs one program's checks.
want() { [ -z "${GUI_ONLY:-}" ] || [ "$GUI_ONLY" = "$1" ]; }
sim() { wine testersim.exe "$@" >/dev/null 2>&1; }

echo "=== setup: simulated testers, the sample configuration sent, results stored"
sim new tester.sim
cp "$root/samples/TransfertVersTR.zel" .
HALVEN_UNATTENDED=1 wine Morvane.exe --language en --write-translation >/dev/null 2>&1
HALVEN_UNATTENDED=1 QUILLINK_SIMULATOR=tester.sim wine Quillink.exe ECRITURE >/dev/null 2>&1
check "setup: the sample configuration reached the tester, which stored its results" \
  sim results tester.sim --all-pass --fail-ecu 2 --fail-wiring --length 37
sim new slow.sim && sim latency slow.sim 60
sim new absent.sim && sim fault absent.sim no-driver
sim new other_major.sim --version 4.0
echo "    setup took $(($(date +%s) - start)) s"

if want quillink; then
echo "=== Quillink: a memory read that lasts a few seconds (latency 60 ms per exchange)"
QUILLINK_SIMULATOR=slow.sim wine Quillink.exe dump.bin "-READ[E0000,6000]" >/dev/null 2>&1 &
job=$!
check "the progress dialog opens with the job's title and shows the running read" \
  look --title "Upload of the results." --has "Send sequence read" --timeout 20000
check "its progress bar is shown" has '^control 1000 class "msctls_progress32" .* visible 1'
check "the version label shows its text" has '^control 1004 class "Static" text "[^"]+" visible 1'
quillink="$(handle)"
shot quillink_during.png
click_caption
keys Escape
check "Escape while the job runs: the window stays" look --handle "$quillink" --stays 1000
click_close_box
check "the close box while the job runs: the window stays" look --handle "$quillink" --stays 1000
keys Return
check "Enter while the job runs: the window stays" look --handle "$quillink" --stays 800
check "the job went on: the read ends with the success text" \
  look --handle "$quillink" --timeout 30000 --has 'text "Upload of the results.\n===== OK ===== \nPlease close the window!"'
check "the success text's window stays after a memory read" look --handle "$quillink" --stays 1500
check "the dump holds the 0x6000 bytes asked" test "$(stat -c %s dump.bin 2>/dev/null)" = 24576
shot quillink_after.png
click_caption
keys Return
check "Enter after the job: still nothing, the window stays" look --handle "$quillink" --stays 800
keys Escape
check "Escape after the job closes the window" look --handle "$quillink" --gone --timeout 5000
wait_exit "$job" 10
check "Quillink ends with status 0" exited_with 0

echo "=== Quillink: a failure (no tester attached)"
QUILLINK_SIMULATOR=absent.sim wine Quillink.exe LECTURE_INFO >/dev/null 2>&1 &
job=$!
check "the failure's message appears in the status line" \
  look --title "Upload of the results." --timeout 20000 --has 'text "No USB peripherical."'
quillink="$(handle)"
check "after the failure the window stays with its message" \
  look --handle "$quillink" --stays 2000 --has 'text "No USB peripherical."'
shot quillink_failure.png
click_close_box
check "the close box closes the window once the job has ended" \
  look --handle "$quillink" --gone --timeout 5000
wait_exit "$job" 10
check "Quillink ends with the opening failure's status 1" exited_with 1

echo "=== Quillink: a successful information read"
rm -f VersionTr.zel
QUILLINK_SIMULATOR=tester.sim wine Quillink.exe LECTURE_INFO >/dev/null 2>&1 &
job=$!
check "the progress dialog opens" look --title "Upload of the results." --timeout 20000
quillink="$(handle)"
check "after the information read the window closes by itself" \
  look --handle "$quillink" --gone --timeout 15000
wait_exit "$job" 10
check "Quillink ends with status 0 and leaves VersionTr.zel" \
  test "$exit_status" = 0 -a -s VersionTr.zel

fi

english=('"File" popup' '"File/Upload" id 1001' '"File/Exit" id 2' '"Language" popup'
         '"Language/German" id 32771' '"Language/English" id 32772' '"Language/French" id 32773')
french=('"Fichier" popup' '"Fichier/Upload" id 1001' '"Fichier/Sortie" id 2' '"Langue" popup'
        '"Langue/Allemand" id 32771' '"Langue/Anglais" id 32772' '"Langue/Français" id 32773')
german=('"Datei" popup' '"Datei/Upload" id 1001' '"Datei/Beenden" id 2' '"Sprache" popup'
        '"Sprache/Deutsch" id 32771' '"Sprache/Englisch" id 32772'
        '"Sprache/Französisch" id 32773')
# menu_lines CHECKED NAMES...: the menu bar's expected lines, with the check mark on language
# item CHECKED (0 German, 1 English, 2 French).
menu_lines() {
  local checked=$1 i=0 entry
  shift
  for entry in "$@"; do
    case "$entry" in
      *popup) echo "menu $entry enabled 1" ;;
      *id\ 3277*)
        echo "menu $entry checked $([ "$i" = "$checked" ] && echo 1 || echo 0) enabled 1"
        i=$((i + 1)) ;;
      *) echo "menu $entry checked 0 enabled 1" ;;
    esac
  done
  echo 'menu "Info" id 57664 checked 0 enabled 1'
}
main='^window .* title "HALVEN TESTER" visible 1 enabled 1 owner none'

if want morvane; then
echo "=== Morvane: the dialog, its menus and the About box"
echo stale >Results.log
QUILLINK_SIMULATOR=tester.sim wine Morvane.exe >/dev/null 2>&1 &
morvane=$!
check "the dialog opens: caption HALVEN TESTER, enabled, no owner" \
  look --title "HALVEN TESTER" --timeout 20000
check "its one control is the Upload button" \
  test "$(printf '%s\n' "$state" | grep -c '^control ')" = 1 -a \
  -n "$(printf '%s\n' "$state" | grep '^control 1001 class "Button" text "Upload" visible 1 enabled 1')"
check "the menu at start: the resource's English texts, English checked" \
  menu_is "$(menu_lines 1 "${english[@]}")"
shot morvane_main_english.png
click_caption
keys F10 Right Return Down Down Return
check "Language > French: the menus renamed, the check on French, Info unchanged" \
  look --title "HALVEN TESTER" --has '"Langue/Fran' --timeout 5000
check "  (the whole French menu bar)" menu_is "$(menu_lines 2 "${french[@]}")"
check "  (the button keeps its caption Upload)" has '^control 1001 .* text "Upload"'
shot morvane_main_french.png
keys F10 Right Return
shot morvane_menu_french.png
keys Escape Escape
keys F10 Right Return Return
check "Language > German: the menus renamed, the check on German" \
  look --title "HALVEN TESTER" --has '"Sprache/Deutsch" id 32771 checked 1' --timeout 5000
check "  (the whole German menu bar)" menu_is "$(menu_lines 0 "${german[@]}")"
shot morvane_main_german.png
keys F10 Right Right Return
check "Info opens the About box owned by the dialog" \
  look --title "About..." --timeout 5000 --has 'owner "HALVEN TESTER"'
check "  (with its version text and an OK button)" \
  has '^control .* text "Version 3.01" visible 1'
check "  (OK enabled)" has '^control 1 class "Button" text "OK" visible 1 enabled 1'
about="$(handle)"
look --title "HALVEN TESTER"
check "  (the dialog is disabled while the About box is open)" \
  has '^window .* title "HALVEN TESTER" visible 1 enabled 0'
shot morvane_about.png
keys Return
check "OK closes the About box" look --handle "$about" --gone --timeout 5000
check "  (the dialog is enabled again)" look --title "HALVEN TESTER" --has 'enabled 1 owner none'
check "the system menu ends with a separator and &About... (command 16)" system_menu_ends \
  'menu "(system)/-" separator' 'menu "(system)/&About..." id 16 checked 0 enabled 1'
keys alt+space Up Return
check "the system menu's About item opens the About box" look --title "About..." --timeout 5000
about="$(handle)"
keys Escape
check "Escape closes the About box, the dialog stays" look --handle "$about" --gone --timeout 5000
check "  (the dialog is still there and enabled)" \
  look --title "HALVEN TESTER" --has 'enabled 1 owner none'

echo "=== Morvane: Upload, then Cancel in the save dialog"
before="$(sum_of . Results.log Tr.ini InfoTrfTR.zel VersionTr.zel)"
click_in '^control 1001 '
check "the Upload button opens the save dialog, owned by the dialog" \
  look --class "#32770" --title-has "Save" --timeout 10000 --has 'owner "HALVEN TESTER"'
check "  (the filter Fichier Txt (*.txt) and the file name *.txt)" \
  has 'text "Fichier Txt \(\*\.txt\)"'
check "  (file name *.txt)" has 'class "Edit" text "\*\.txt"'
save="$(handle)"
shot morvane_save_dialog.png
click_in '^control 2 class "Button" text "Cancel"'
check "Cancel closes the save dialog" look --handle "$save" --gone --timeout 5000
check "Cancel touched nothing: Results.log, Tr.ini, InfoTrfTR.zel, VersionTr.zel as they were" \
  test "$(sum_of . Results.log Tr.ini InfoTrfTR.zel VersionTr.zel)" = "$before"
check "  (no tool window was started)" appears_not 8000 --title-has "Upload"

echo "=== Morvane: a whole upload in German through File > Upload"
look --title "HALVEN TESTER"
click_caption
keys F10 Return Return
check "File > Upload opens the save dialog" \
  look --class "#32770" --title-has "Save" --timeout 10000 --has 'owner "HALVEN TESTER"'
keys End shift+Home
type_text "report.txt"
keys Return
check "the first tool window opens, in the language chosen (German title)" \
  look --title "Upload der Messergebnisse." --timeout 20000
first="$(handle)"
check "the first tool window (information read) closes by itself" \
  look --handle "$first" --gone --timeout 20000
check "the second tool window (results transfer) opens" \
  look --title "Upload der Messergebnisse." --timeout 20000
second="$(handle)"
check "  (a window of its own)" test "$second" != "$first"
check "the results transfer ends with the success text" \
  look --handle "$second" --timeout 60000 --has 'Fertig ===== \nBitte schlie'
check "the second tool window stays until it is closed" look --handle "$second" --stays 1500
shot quillink_upload_done.png
check "Results.log is written" test -s Results.log -a "$(head -c 5 Results.log)" != stale
click_close_box
check "the close box closes the second tool window" look --handle "$second" --gone --timeout 5000
check "the report is written and the dialog closes" \
  look --title "HALVEN TESTER" --gone --timeout 20000
check "  (report.txt holds the German report)" \
  grep -aq "1) Ergebnisse des Verdrahtungstests" report.txt
check "the report is handed to the shell: a viewer shows report.txt" \
  look --title-has "report" --timeout 15000
shot morvane_report_viewer.png
wait_exit "$morvane" 10
check "Morvane ends with status 0" exited_with 0
wineserver -k >/dev/null 2>&1  # the report's viewer
keep_desktop

echo "=== Morvane: a tester with another major version, Morvane not the active window"
QUILLINK_SIMULATOR=other_major.sim wine Morvane.exe >/dev/null 2>&1 &
morvane=$!
look --title "HALVEN TESTER" --timeout 20000
click_in '^control 1001 '
look --class "#32770" --title-has "Save" --timeout 10000
keys End shift+Home
type_text "other.txt"
keys Return
# While the tool's window is up the user clicks the desktop: no window of Morvane is active when
# its box comes.
look --title "Upload of the results." --timeout 20000
click 700 450
check "the stop box appears with the version the tester reports" \
  look --title "Morvane" --timeout 30000 \
  --has 'text "Major Version Embedded software error\nPlease use version 4.0"'
check "  (the box is owned by the dialog)" has '^window .* title "Morvane" .* owner "HALVEN TESTER"'
box="$(handle)"
look --title "HALVEN TESTER"
check "  (the dialog is disabled under the box)" has "${main/enabled 1/enabled 0}"
look --handle "$box"
shot morvane_version_box.png
click_in '^control 1 class "Button" text "OK"'
check "OK closes the box" look --handle "$box" --gone --timeout 5000
check "the dialog works again: enabled, Language > French renames the menus" \
  look --title "HALVEN TESTER" --has 'enabled 1 owner none'
click_caption
keys F10 Right Return Down Down Return
check "  (French menu bar after the box)" \
  look --title "HALVEN TESTER" --has '"Langue/Fran' --timeout 5000
check "  (no report was written)" test ! -e other.txt
keys Escape
check "Escape closes the dialog" look --title "HALVEN TESTER" --gone --timeout 5000
wait_exit "$morvane" 10

fi

echo "=== GUI tests took $(($(date +%s) - start)) s"
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
