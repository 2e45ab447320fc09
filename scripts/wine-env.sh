# Sourced by the scripts that run Windows programs: one quiet Wine prefix for the project.
export WINEPREFIX="${WINEPREFIX:-${HOME:-/root}/.wine-halven}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Preparing the Wine prefix $WINEPREFIX ..."
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi
