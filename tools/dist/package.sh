#!/usr/bin/env bash
# Builds the release packages from the Windows build: the installer (NSIS), the portable zip
# and SHA256SUMS. Called by the build's dist target, which passes the product facts it read
# from the project and the language pack.
#   package.sh OUTDIR VERSION TITLE SETTINGS_ID WEB_PAGE STRIP TELLAVO_EXE CLOCKS_EXE ICON
set -euo pipefail
[ $# = 9 ] || { echo "usage: package.sh OUTDIR VERSION TITLE SETTINGS_ID WEB_PAGE STRIP TELLAVO_EXE CLOCKS_EXE ICON" >&2; exit 2; }
out=$1 version=$2 title=$3 settings_id=$4 web_page=$5 strip=$6 exe=$7 clocks=$8 icon=$9
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
command -v makensis >/dev/null || { echo "package: makensis is missing (tools/setup.sh installs nsis)" >&2; exit 1; }
command -v zip >/dev/null || { echo "package: zip is missing (tools/setup.sh installs it)" >&2; exit 1; }

# Four-part version for the version resources: 1.18 -> 1.18.0.0.
IFS=. read -r -a parts <<<"$version"
while [ ${#parts[@]} -lt 4 ]; do parts+=(0); done
quad=$(IFS=.; echo "${parts[*]:0:4}")

stage=$(mktemp -d "${TMPDIR:-/tmp}/tellavo-dist.XXXXXX")
trap 'rm -rf "$stage"' EXIT
# Debug information stays in the build; the packages get stripped executables.
"$strip" --strip-all -o "$stage/Tellavo.exe" "$exe"
"$strip" --strip-all -o "$stage/tellavo-clocks.exe" "$clocks"
# Notepad-friendly text: CR LF line ends, the product facts filled in. License.txt keeps each
# paragraph on one line, so that the installer's licence page wraps it to its own width.
to_dos() { sed -e "s|@VERSION@|$version|g" -e "s|@TITLE@|$title|g" -e "s|@SETTINGS_ID@|$settings_id|g" \
             -e "s|@WEB_PAGE@|$web_page|g" -e 's/$/\r/' "$1" >"$2"; }
to_dos "$here/ReadMe.txt" "$stage/ReadMe.txt"
to_dos "$here/License.txt" "$stage/License.txt"
# Every file of a package carries the same time: the newest input's.
stamp=$(stat -c %Y "$exe" "$clocks" "$here/ReadMe.txt" "$here/License.txt" | sort -n | tail -n 1)
touch -d "@$stamp" "$stage"/*

mkdir -p "$out"
setup=$out/TellavoSetup-$version.exe
portable=$out/Tellavo-$version-portable.zip
rm -f "$setup" "$portable" "$out/SHA256SUMS"

makensis -V2 -INPUTCHARSET UTF8 -NOCD \
  "-DVERSION=$version" "-DVERSION_QUAD=$quad" "-DTITLE=$title" "-DSETTINGS_ID=$settings_id" \
  "-DWEB_PAGE=$web_page" "-DSTAGE=$stage" "-DICON=$icon" "-DOUTFILE=$setup" \
  "$here/tellavo.nsi"

(cd "$stage" && TZ=UTC zip -q -X -9 "$portable" Tellavo.exe tellavo-clocks.exe ReadMe.txt License.txt)
(cd "$out" && sha256sum "$(basename "$setup")" "$(basename "$portable")" >SHA256SUMS)
ls -l "$setup" "$portable" | awk '{ printf "dist: %s  %d bytes\n", $NF, $5 }'
