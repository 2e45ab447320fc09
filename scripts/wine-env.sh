# Sourced by every script that runs Windows programs: a quiet Wine prefix, made on first use.
# The prefix is $WINEPREFIX when set (a script that closes its wineserver sets one of its own under
# build/ first, so that it touches no other Wine program), otherwise the project's.
export WINEPREFIX="${WINEPREFIX:-${HOME:-/root}/.wine-halven}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Preparing the Wine prefix $WINEPREFIX ..."
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi
