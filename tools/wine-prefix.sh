#!/usr/bin/env bash
# Creates the project's Wine prefix under build/: fonts (Tahoma, Marlett and a CJK font, so
# every language of the pack renders) and an X11 driver that neither manages nor decorates
# windows (there is no window manager under Xvfb). Idempotent: an existing prefix is kept.
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES=mscoree,mshtml=
stamp=$WINEPREFIX/.tellavo-ready
[ -f "$stamp" ] && exit 0

mkdir -p "$root/build/cache/fonts"
cd "$root/build/cache/fonts"
for pkg in fonts-wine fonts-wqy-microhei; do
  ls ${pkg}_*.deb >/dev/null 2>&1 || apt-get download "$pkg" >/dev/null
  rm -rf "x-$pkg" && dpkg-deb -x ${pkg}_*.deb "x-$pkg"
done

rm -rf "$WINEPREFIX"
timeout 300 wine wineboot --init </dev/null >/dev/null 2>&1
timeout 60 wineserver -w </dev/null >/dev/null 2>&1 || true

fonts=$WINEPREFIX/drive_c/windows/Fonts
mkdir -p "$fonts"
find x-fonts-wine -name '*.ttf' -exec cp {} "$fonts/" \;
find x-fonts-wqy-microhei -name 'wqy-microhei.ttc' -exec cp {} "$fonts/" \;

reg=$root/build/cache/tellavo-prefix.reg
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n"Decorated"="N"\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  for face in "SimSun" "MS UI Gothic" "Gulim" "PMingLiU" "Malgun Gothic" "Microsoft YaHei" "Yu Gothic UI" "Meiryo UI"; do
    printf '"%s"="WenQuanYi Micro Hei"\r\n' "$face"
  done
  printf '\r\n'
} > "$reg"
# Z: maps the Unix root; no winepath call, whose captured output would be a pipe.
timeout 120 wine regedit /S "Z:${reg//\//\\}" </dev/null >/dev/null 2>&1
timeout 60 wineserver -w </dev/null >/dev/null 2>&1 || true
touch "$stamp"
