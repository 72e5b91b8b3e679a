#!/usr/bin/env bash
# Screenshots of the real program under Wine on a private Xvfb, from no settings, in a copy of
# the project's prefix: the window in English with the default scheme, in Japanese, in the
# "Black Black" and "Sky Blue" schemes, and the tray menu open with three checked places.
# Written to build/screens/window-*.png; with --docs also copied to docs/screens/ for the
# README.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
docs=0
[ "${1:-}" = --docs ] && docs=1
cmake --preset win >/dev/null && cmake --build --preset win --target Tellavo e2e_probe || exit 1
app_exe=build/win/app/Tellavo.exe
probe_exe=build/win/tests/e2e/e2e_probe.exe
out_dir=build/screens
mkdir -p "$out_dir"

source tools/wine-env.sh
[ -d "$WINEPREFIX" ] || tools/wine-prefix.sh || exit 1
unset DISPLAY
xvfb_start || { echo "window-screens: Xvfb did not start"; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/tellavo-screens.XXXXXX")
cp -a "$WINEPREFIX" "$work/prefix"
export WINEPREFIX=$work/prefix
app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  timeout 30 wineserver -k </dev/null >/dev/null 2>&1
  timeout 30 wineserver -w </dev/null >/dev/null 2>&1
  rm -rf "$work"
  xvfb_stop
}
trap cleanup EXIT
wine_start

probe() { timeout 30 wine "$probe_exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
window() {  # sets x y w h visible from the probe
  local line kv; line=$(probe window | head -n 1)
  x=0 y=0 w=0 h=0 visible=0
  for kv in $line; do
    case ${kv%%=*} in x|y|w|h|visible) printf -v "${kv%%=*}" '%s' "${kv#*=}" ;; esac
  done
}
wait_for() {  # wait_for SECONDS COMMAND...
  local i
  for i in $(seq 1 $(($1 * 10))); do "${@:2}" && return 0; sleep 0.1; done
  return 1
}
shown() { window; [ "$visible" = 1 ]; }
popup_open() { [ "$(probe popup | head -n 1)" -ge 1 ] 2>/dev/null; }
shoot() {  # shoot NAME: the window as it stands
  window
  import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "$out_dir/$1.png"
  echo "$out_dir/$1.png"
}
click() {  # a click at a point of the window
  window
  xdotool mousemove $((x + $1)) $((y + $2)) sleep 0.1 mousedown 1 sleep 0.1 mouseup 1
}

timeout 30 wine reg delete 'HKCU\Software\Kivo' /f </dev/null >/dev/null 2>&1
timeout --kill-after=5 300 wine "$app_exe" </dev/null >"$work/app.log" 2>&1 &
app_pid=$!
wait_for 20 shown || { echo "window-screens: the window did not show"; exit 1; }
# Three checked places for the tray menu (rows 1, 4 and 13 of the preset), and the pointer
# out of the way.
for row in 0 3 12; do click 14 $((85 + 14 * row)); sleep 0.3; done
xdotool mousemove 1 1000
sleep 1.5
shoot window-english

# The tray menu, opened from the icon at the top left.
xdotool mousemove 20 20
probe tray right >/dev/null
wait_for 5 popup_open
sleep 0.5
read -r mx my mw mh < <(probe popup | sed -n 2p)
import -display "$DISPLAY" -window root -crop "$((mx + mw + 8))x$((my + mh + 8))+0+0" +repage \
  "$out_dir/window-tray-menu.png"
echo "$out_dir/window-tray-menu.png"
probe menukeys escape >/dev/null
sleep 0.3
xdotool mousemove 1 1000

# Japanese (the eighth language of the pack), then English again.
probe menu 7 >/dev/null
sleep 1.5
shoot window-japanese
probe menu 0 >/dev/null

# Two other schemes: a dark and a light one (skin ids 200 + index).
probe menu 204 >/dev/null
sleep 1.5
shoot window-black-black
probe menu 208 >/dev/null
sleep 1.5
shoot window-sky-blue

probe menu 999 >/dev/null
for i in $(seq 1 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
wait "$app_pid" 2>/dev/null
app_pid=

if [ $docs = 1 ]; then
  mkdir -p docs/screens
  for f in window-english window-japanese window-black-black window-sky-blue window-tray-menu; do
    cp "$out_dir/$f.png" docs/screens/
  done
  ls -l docs/screens
fi
