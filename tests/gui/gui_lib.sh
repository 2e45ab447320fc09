# Helpers of the GUI tests, sourced by run_gui_tests.sh inside its Xvfb server: a Wine prefix of
# their own with one virtual desktop (every program of the prefix draws into it, so keys and clicks
# reach Wine's active window), the window inspector, keyboard and mouse input, and the checks.

passed=0
failed=0
state=""      # the inspector's last output
shots="${shots:-}"  # folder for screenshots, empty for none

# A prefix of the tests' own, so that ending its wineserver touches no other Wine program.
gui_prefix() {
  export WINEPREFIX="${GUI_WINEPREFIX:-$root/build/wine-gui}"
  source "$root/scripts/wine-env.sh"
  # The marker holds the settings' version: a prefix of an older version gets them again.
  if [ "$(cat "$WINEPREFIX/gui-tests-ready" 2>/dev/null)" != 2 ]; then
    echo "Settings of the Wine prefix $WINEPREFIX ..."
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 800x520 /f >/dev/null 2>&1
    # A desktop where text files open in Notepad, as on Windows; a new prefix has no .txt type.
    wine reg add 'HKCR\.txt' /ve /d txtfile /f >/dev/null 2>&1
    wineserver -w || true
    echo 2 >"$WINEPREFIX/gui-tests-ready"
  fi
}

# Wine closes its desktop shortly after the last program on it has ended, and a program started in
# that moment loses its window. A waiting inspector stays on the desktop for the whole run.
keeper=""
keep_desktop() {
  wine "$inspector" --title "(keeps the desktop open)" --timeout 900000 >/dev/null 2>&1 &
  keeper=$!
}

# Runs the window inspector; its output (UTF-8, no carriage returns) lands in $state.
look() {
  local status=0
  state="$(wine "$inspector" "$@" 2>/dev/null | tr -d '\r')" || status=$?
  return "$status"
}

pass() {
  passed=$((passed + 1))
  echo "PASS: $1"
}

fail() {
  failed=$((failed + 1))
  echo "FAIL: $1"
  [ -n "${2:-}" ] && printf '%s\n' "$2" | sed 's/^/      | /'
  return 0
}

# appears_not MS INSPECTOR-ARGS...: true when no such window shows within MS milliseconds. A window
# that should not open is given the time it would take to open ("--gone" would pass before it had).
appears_not() {
  local ms=$1
  shift
  ! look "$@" --timeout "$ms"
}

# check DESCRIPTION COMMAND...: passes when the command succeeds; a failure shows $state.
check() {
  local description=$1
  shift
  if "$@"; then pass "$description"; else fail "$description" "$state"; fi
}

# has REGEX: a line of $state matches the extended regular expression.
has() { printf '%s\n' "$state" | grep -Eq -- "$1"; }
has_not() { ! has "$1"; }

# The menu bar's lines of $state (system menu apart) must be exactly the given lines.
menu_is() {
  [ "$(printf '%s\n' "$state" | grep '^menu ' | grep -v '^menu "(system)')" = "$(printf '%s\n' "$@")" ]
}
# The last lines of the system menu must be the given lines.
system_menu_ends() {
  local want
  want="$(printf '%s\n' "$@")"
  [ "$(printf '%s\n' "$state" | grep '^menu "(system)' | tail -n "$#")" = "$want" ]
}

# The handle of the first window of $state.
handle() { printf '%s\n' "$state" | sed -n 's/^window \(0x[0-9A-F]*\) .*/\1/p' | head -n1; }

# rect_of PATTERN: "x y w h" of the first line of $state matching PATTERN.
rect_of() { printf '%s\n' "$state" | grep -E -- "$1" | head -n1 | sed 's/.* rect //'; }

# The X window of Wine's desktop, searched again before each input: it goes with the wineserver.
desktop=""
find_desktop() {
  desktop=""
  for _ in $(seq 1 100); do
    desktop="$(xdotool search --name '^Default - Wine desktop$' 2>/dev/null | head -n1 || true)"
    [ -n "$desktop" ] && break
    sleep 0.1
  done
  [ -n "$desktop" ] || return 1
  # Real key events (XTEST) go to the focused X window; events sent to a window are not trusted.
  xdotool windowfocus "$desktop" 2>/dev/null
  return 0
}

# Keys to the desktop, where Wine hands them to its active window.
keys() {
  find_desktop
  xdotool key --delay 120 "$@" 2>/dev/null
  sleep 0.3
}
type_text() {
  find_desktop
  xdotool type --delay 40 "$1" 2>/dev/null
}

# click X Y: a left click at desktop coordinates.
click() {
  find_desktop
  xdotool mousemove --window "$desktop" "$1" "$2" click 1 2>/dev/null
  sleep 0.3
}
# click_in PATTERN: a click in the middle of the rectangle of the $state line matching PATTERN.
click_in() {
  local x y w h
  read -r x y w h <<<"$(rect_of "$1")"
  [ -n "${h:-}" ] || return 1
  click $((x + w / 2)) $((y + h / 2))
}
# click_caption / click_close_box: on the caption bar or the close box of $state's first window.
click_caption() {
  local x y w h
  read -r x y w h <<<"$(rect_of '^window ')"
  click $((x + w / 3)) $((y + 10))
}
click_close_box() {
  local x y w h
  read -r x y w h <<<"$(rect_of '^window ')"
  click $((x + w - 13)) $((y + 11))
}

shot() {
  [ -n "$shots" ] || return 0
  sleep 0.4  # the last change paints
  find_desktop
  import -window "$desktop" "$shots/$1" && echo "      (screenshot $shots/$1)"
}

# wait_exit PID SECONDS: waits for a background program to end; its status lands in $exit_status.
exit_status=""
wait_exit() {
  local pid=$1
  for _ in $(seq 1 $(($2 * 10))); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    exit_status="still running"
    return 1
  fi
  exit_status=0
  wait "$pid" || exit_status=$?
  return 0
}

# The status that a program left, as a check: exited_with STATUS.
exited_with() {
  state="exit status $exit_status"
  [ "$exit_status" = "$1" ]
}

sum_of() { (cd "$1" && md5sum "${@:2}" 2>/dev/null); }
