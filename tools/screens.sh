#!/usr/bin/env bash
# Paints every drawer in each of the 16 "ThinWindow" schemes under Wine and writes one sheet
# per scheme to build/screens/drawers-<scheme>.png (spaces in names become "-").
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source tools/wine-env.sh
cmake --preset win >/dev/null && cmake --build --preset win --target drawer_tests || exit 1
out=build/screens
rm -rf "$out" && mkdir -p "$out"
wine_start
TELLAVO_SCREENS_DIR="Z:$root/$out" timeout 300 wine build/win/tests/drawer/drawer_tests.exe \
  --gtest_filter='DrawerScreens.*' >"$out/run.log" 2>&1
status=$?
wine_stop
[ $status = 0 ] || { cat "$out/run.log"; exit 1; }
for bmp in "$out"/*.bmp; do
  convert "$bmp" -alpha off "${bmp%.bmp}.png" && rm -f "$bmp"
done
ls "$out"/*.png
