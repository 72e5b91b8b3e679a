#!/usr/bin/env bash
# Starts Tellavo.exe under Wine. Without a DISPLAY it starts a private Xvfb, lets the program
# run a few seconds, saves a screenshot to build/run.png and stops what it started.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source tools/wine-env.sh
exe=build/win/app/Tellavo.exe
seconds=${TELLAVO_RUN_SECONDS:-6}

xvfb_pid=
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 120); do [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break; done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
fi

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
[ -n "$xvfb_pid" ] && { kill "$xvfb_pid"; wait "$xvfb_pid" 2>/dev/null; }
echo "screenshot: $root/build/run.png"
