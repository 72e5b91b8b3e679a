#!/usr/bin/env bash
# Starts Tellavo.exe under Wine. Without a DISPLAY it starts a private Xvfb, lets the program
# run a few seconds, saves a screenshot to build/run.png and stops what it started.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source tools/wine-env.sh
exe=build/win/app/Tellavo.exe
seconds=${TELLAVO_RUN_SECONDS:-6}

own_display=0
if [ -z "${DISPLAY:-}" ]; then xvfb_start && own_display=1; fi

wine_start
clocks=build/win/tools/clocks/tellavo-clocks.exe
if [ -f "$clocks" ]; then
  echo "== the pick-up list as the window shows it (tellavo-clocks)"
  timeout 60 wine "$clocks" </dev/null >build/run-clocks.txt 2>/dev/null
  cat build/run-clocks.txt
fi

timeout --kill-after=5 $((seconds + 30)) wine "$exe" </dev/null >build/run.log 2>&1 &
app_pid=$!
sleep "$seconds"
/usr/bin/import -window root build/run.png 2>/dev/null || true
if kill -0 "$app_pid" 2>/dev/null; then kill "$app_pid" 2>/dev/null; fi
wait "$app_pid" 2>/dev/null
wine_stop
[ $own_display = 1 ] && xvfb_stop
echo "screenshot: $root/build/run.png"
