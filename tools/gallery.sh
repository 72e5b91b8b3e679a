#!/usr/bin/env bash
# Shows the gallery of standard controls in each of the 16 "ThinWindow" schemes under Wine
# and saves build/screens/gallery-<scheme>.png (spaces in names become "-"). Without a
# DISPLAY it starts a private Xvfb; it stops what it started.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source tools/wine-env.sh
cmake --preset win >/dev/null && cmake --build --preset win --target tellavo-gallery || exit 1
mkdir -p build/screens
rm -f build/screens/gallery-*.png
own_display=0
if [ -z "${DISPLAY:-}" ]; then xvfb_start || exit 1; own_display=1; fi
wine_start
timeout 120 wine build/win/tools/gallery/tellavo-gallery.exe --shots </dev/null \
  >build/screens/gallery.log 2>&1
status=$?
wine_stop
[ $own_display = 1 ] && xvfb_stop
tr -d '\r' <build/screens/gallery.log
[ $status = 0 ] || exit 1
ls build/screens/gallery-*.png
