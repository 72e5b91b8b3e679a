#!/usr/bin/env bash
# Runs one Windows program of the build under the project's Wine prefix, bounded in time.
# CTest uses this as the cross-compiling emulator; the Wine server must already run
# (tools/wine-env.sh), or a piped first Wine process can hang its reader forever.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec timeout --kill-after=10 "${TELLAVO_WINE_TIMEOUT:-600}" wine "$@"
