# Source this file: wine_start and wine_stop manage the Wine server of the project's prefix.
# The server and wineboot start with all stdio detached: Wine's background services inherit
# the first Wine process's descriptors, and a pipe there never reaches its end.
TELLAVO_ROOT=${TELLAVO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$TELLAVO_ROOT/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

wine_start() {
  [ -d "$WINEPREFIX" ] || "$TELLAVO_ROOT/tools/wine-prefix.sh" || return 1
  # wineserver daemonizes itself; setsid keeps it out of any timeout's process group.
  setsid wineserver -p </dev/null >/dev/null 2>&1
  timeout 120 wine wineboot </dev/null >/dev/null 2>&1
}

wine_stop() {
  timeout 30 wineserver -k </dev/null >/dev/null 2>&1 || true
}
