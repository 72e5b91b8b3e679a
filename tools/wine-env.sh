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

# A private Xvfb for GUI runs, on a display number the server picks itself (-displayfd), so
# that parallel runs never collide. Stopped by its own pid, never by name.
TELLAVO_XVFB_PID=
xvfb_start() {
  [ -n "$TELLAVO_XVFB_PID" ] && return 0
  local fifo; fifo=$(mktemp -u /tmp/tellavo-xvfb.XXXXXX); mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" </dev/null >/dev/null 2>&1 &
  TELLAVO_XVFB_PID=$!
  local n; read -r -t 20 n <"$fifo" || n=
  rm -f "$fifo"
  if [ -z "$n" ]; then kill "$TELLAVO_XVFB_PID" 2>/dev/null; TELLAVO_XVFB_PID=; return 1; fi
  export DISPLAY=":$n"
}

xvfb_stop() {
  [ -n "$TELLAVO_XVFB_PID" ] || return 0
  kill "$TELLAVO_XVFB_PID" 2>/dev/null; wait "$TELLAVO_XVFB_PID" 2>/dev/null
  TELLAVO_XVFB_PID=
}
