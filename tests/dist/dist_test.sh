#!/usr/bin/env bash
# The release packages under Wine, in a copy of the project's prefix (installs never touch
# the developers' own prefix); the copy's server is stopped and the copy removed at the end.
#   dist_test.sh packages|first_start DIST_DIR VERSION PROBE_EXE SOURCE_DIR
# packages:    the version resources; silent install (files, Start-menu shortcut, uninstall
#              key, "Silent" = 1); installing over a running copy; silent uninstall of a
#              running copy (all gone, settings kept); uninstall with /RemoveSettings; the
#              portable zip from an awkward folder; install into and uninstall from such a
#              folder of the user's choice.
# first_start: the installed program's first start clears "Silent" (a start with -startup
#              does not).
set -u
mode=$1 dist=$2 version=$3 probe=$4 src=$5
title=${TELLAVO_TITLE:-Kivo Tellavo}
settings_id=${TELLAVO_SETTINGS_ID:-Kivo Tellavo}
setup=$dist/TellavoSetup-$version.exe
portable=$dist/Tellavo-$version-portable.zip
product_key="HKCU\\Software\\Kivo\\$settings_id"
uninst_key="HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$title"

failures=0
pass() { echo "ok: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() {  # check DESCRIPTION COMMAND...: passes when the command succeeds
  local what=$1; shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}
figure() { echo "[ figures  ] $*"; }
now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.2f", b - a }'; }

for f in "$setup" "$portable" "$dist/SHA256SUMS" "$probe"; do
  [ -f "$f" ] || { echo "FAIL: $f is missing (make dist builds the packages)"; exit 1; }
done

# A private copy of the prefix, with its own wineserver.
source "$src/tools/wine-env.sh"
base_prefix=$WINEPREFIX
[ -d "$base_prefix" ] || "$src/tools/wine-prefix.sh" || exit 1
work=$(mktemp -d "${TMPDIR:-/tmp}/tellavo-dist-test.XXXXXX")
export WINEPREFIX=$work/prefix
started=$(now)
cp -a "$base_prefix" "$WINEPREFIX"
bg_pids=()
cleanup() {
  for p in "${bg_pids[@]}"; do kill "$p" 2>/dev/null; done
  WINEPREFIX=$work/prefix timeout 30 wineserver -k </dev/null >/dev/null 2>&1
  WINEPREFIX=$work/prefix timeout 30 wineserver -w </dev/null >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
wine_start
figure "prefix copy and start: $(since "$started") s"

out=$work/out.txt
# w SECONDS PROGRAM ARGS...: runs a Windows program, its output (CR removed) in $out.
w() {
  local t=$1; shift
  timeout --kill-after=5 "$t" wine "$@" </dev/null >"$out.raw" 2>"$work/err.txt"
  local rc=$?
  tr -d '\r' <"$out.raw" >"$out"
  return $rc
}
probe() { w 60 "$probe" "$@"; }
unix_path() {  # C:\a\b -> the prefix's file; Z:\a\b -> /a/b
  local p=${1//\\//}
  case $p in
    [Cc]:/*) echo "$WINEPREFIX/drive_c/${p:3}" ;;
    [Zz]:/*) echo "/${p:3}" ;;
    *) echo "$p" ;;
  esac
}
# reg.exe's output loses letters beyond ASCII: the probe reads the registry instead.
reg_value() {  # reg_value KEY NAME: "TYPE DATA", or nothing when absent
  probe regvalue "$1" "$2" && cat "$out"
}
reg_key_exists() { probe regkey "$1"; }
same_file() { cmp -s "$1" "$2"; }
key_absent() { ! reg_key_exists "$1"; }
ended() { ! kill -0 "$1" 2>/dev/null; }
nonzero_dword() { [[ "$(reg_value "$1" "$2")" =~ ^REG_DWORD\ 0x0*[1-9a-f] ]]; }
lower() { tr '[:upper:]' '[:lower:]' <<<"$1"; }

probe folder localappdata || { echo "FAIL: no local application data folder"; exit 1; }
instdir_win="$(cat "$out")\\Programs\\Kivo\\Tellavo"
instdir=$(unix_path "$instdir_win")
probe folder programs
startmenu_link=$(unix_path "$(cat "$out")")/$title.lnk
probe folder startup
startup_win=$(cat "$out")
startup=$(unix_path "$startup_win")
# The files as the packages carry them.
unzip -q "$portable" -d "$work/packaged"

install_silently() {  # install_silently WHAT [FOLDER]: runs the installer with /S, timed
  local what=$1 t0
  t0=$(now)
  if [ $# = 2 ]; then
    w 120 "$probe" run "\"Z:${setup//\//\\}\" /S /D=$2"
  else
    w 120 "$setup" /S
  fi
  local rc=$?
  figure "$what: $(since "$t0") s"
  return $rc
}

uninstall_silently() {  # uninstall_silently WHAT EXTRA-ARGS: as "Apps & features" would
  local quiet t0
  quiet=$(reg_value "$uninst_key" QuietUninstallString | sed 's/^REG_SZ //')
  [ -n "$quiet" ] || { fail "$1: the uninstall key has no QuietUninstallString"; return 1; }
  local exe=${quiet#\"}; exe=${exe%%\"*}
  t0=$(now)
  # The uninstaller hands over to a copy of itself in the temporary folder and returns at
  # once: its end shows as its own file and the install folder being gone.
  w 60 "$exe" /S "$@" || { fail "$1: the uninstaller failed"; return 1; }
  local i
  for i in $(seq 1 300); do [ -e "$instdir/Uninstall.exe" ] || break; sleep 0.1; done
  for i in $(seq 1 30); do [ -d "$instdir" ] || break; sleep 0.1; done
  figure "$1: $(since "$t0") s"
}

run_packages() {
  figure "installer size: $(stat -c %s "$setup") bytes, portable zip size: $(stat -c %s "$portable") bytes"
  check "SHA256SUMS matches both packages" bash -c "cd '$dist' && sha256sum --quiet -c SHA256SUMS"
  check "the portable zip holds exactly the two programs, the read-me and the licence" \
    test "$(unzip -Z1 "$portable" | sort | tr '\n' ' ')" = \
    "License.txt ReadMe.txt Tellavo.exe tellavo-clocks.exe "

  # Version and icon: the installer and the program say the project's version.
  local file
  for file in "$setup" "$work/packaged/Tellavo.exe"; do
    probe version "$file"
    check "$(basename "$file") has ProductVersion $version" grep -qx "ProductVersion=$version" "$out"
    check "$(basename "$file") has FileVersion $version" grep -qx "FileVersion=$version" "$out"
    check "$(basename "$file") has the product name" grep -qx "ProductName=$title" "$out"
    check "$(basename "$file") has the fixed version $version.0.0" grep -qx "Fixed=$version.0.0" "$out"
    check "$(basename "$file") carries an icon" grep -qE '^Icons=[1-9]' "$out"
  done

  # Silent install.
  check "silent install succeeds" install_silently "silent install"
  local f
  for f in Tellavo.exe tellavo-clocks.exe ReadMe.txt License.txt; do
    check "installed $f is the packaged one" same_file "$work/packaged/$f" "$instdir/$f"
  done
  check "the uninstaller is installed" test -f "$instdir/Uninstall.exe"
  check "no half-written file is left" test -z "$(ls "$instdir" | grep -E '\.new$')"
  if probe lnk "$(sed 's#/#\\#g' <<<"Z:$startmenu_link")"; then
    check "Start-menu shortcut targets the installed program" \
      test "$(lower "$(cut -f1 "$out")")" = "$(lower "$instdir_win\\Tellavo.exe")"
    check "Start-menu shortcut has no arguments (the first start handles \"Silent\")" \
      test -z "$(cut -f2 "$out")"
  else
    fail "Start-menu shortcut $startmenu_link is readable"
  fi
  local name expected
  while IFS='|' read -r name expected; do
    check "uninstall key: $name" test "$(reg_value "$uninst_key" "$name")" = "$expected"
  done <<EOF
DisplayName|REG_SZ $title
DisplayVersion|REG_SZ $version
Publisher|REG_SZ Kivo
DisplayIcon|REG_SZ $instdir_win\\Tellavo.exe,0
InstallLocation|REG_SZ $instdir_win
UninstallString|REG_SZ "$instdir_win\\Uninstall.exe"
QuietUninstallString|REG_SZ "$instdir_win\\Uninstall.exe" /S
EOF
  check "uninstall key: EstimatedSize in KiB" nonzero_dword "$uninst_key" EstimatedSize
  check "\"Silent\" is the REG_DWORD 1 under the product key" \
    test "$(reg_value "$product_key" Silent)" = "REG_DWORD 0x1"

  # Installing over a copy that runs: it is asked to close, and only then is the program
  # replaced. A copy that refuses to close keeps its file and the installation stops.
  local marker=$work/stub-marker.txt stub_pid i rc
  start_stub() {  # start_stub [stubborn]: the packaged probe plays an older running copy
    rm -f "$marker"
    cp "$probe" "$instdir/Tellavo.exe"
    wine "$instdir/Tellavo.exe" stub "Z:${marker//\//\\}" "$@" </dev/null >/dev/null 2>&1 &
    stub_pid=$!
    bg_pids+=("$stub_pid")
    for i in $(seq 1 100); do [ "$(cat "$marker" 2>/dev/null)" = ready ] && break; sleep 0.1; done
    check "the stand-in running copy${1:+ ($1)} is up" test "$(cat "$marker" 2>/dev/null)" = ready
  }
  start_stub stubborn
  install_silently "install over a copy that refuses to close"; rc=$?
  check "installing over a copy that refuses to close fails (exit $rc)" test "$rc" = 3
  check "the refusing copy was asked to close" test "$(cat "$marker" 2>/dev/null)" = refused
  check "the refusing copy's program file is untouched" same_file "$probe" "$instdir/Tellavo.exe"
  check "no half-written file is left after the refusal" test -z "$(ls "$instdir" | grep -E '\.new$')"
  probe end
  for i in $(seq 1 50); do ended "$stub_pid" && break; sleep 0.1; done

  start_stub
  check "installing over the running copy succeeds" install_silently "install over a running copy"
  check "the running copy was asked to close" test "$(cat "$marker" 2>/dev/null)" = closed
  for i in $(seq 1 50); do ended "$stub_pid" && break; sleep 0.1; done
  check "the running copy has ended" ended "$stub_pid"
  check "the program was replaced whole" same_file "$work/packaged/Tellavo.exe" "$instdir/Tellavo.exe"

  # The same with the program itself, started at logon into the notification area.
  start_program "$instdir/Tellavo.exe" -startup
  if [ $app_shown = 1 ]; then
    check "installing over the running program succeeds" install_silently "install over the running program"
    for i in $(seq 1 50); do ended "$app_pid" && break; sleep 0.1; done
    check "the running program has ended" ended "$app_pid"
    check "the program file is whole after the update" \
      same_file "$work/packaged/Tellavo.exe" "$instdir/Tellavo.exe"
  else
    fail "the installed program shows its window"
  fi

  # Settings and start-up shortcuts the program would have written.
  w 60 reg add "$product_key\\SaveData\\MainWindow\\View" /v Width /t REG_DWORD /d 640 /f
  local link target
  while IFS='|' read -r link target expected; do
    probe mklnk "$startup_win\\$link" "$target" -startup
  done <<EOF
$title $version.lnk|$instdir_win\\Tellavo.exe|removed
$title 1.00.lnk|$instdir_win\\Tellavo.exe|removed
$title 0.99.lnk|C:\\Portable\\Tellavo.exe|kept
EOF
  check "the start-up shortcut exists before the uninstall" test -f "$startup/$title $version.lnk"

  # The uninstaller, too, first asks a running copy to close.
  start_stub
  uninstall_silently "silent uninstall of a running copy"
  check "the uninstaller asked the running copy to close" test "$(cat "$marker" 2>/dev/null)" = closed
  for i in $(seq 1 50); do ended "$stub_pid" && break; sleep 0.1; done
  check "the running copy has ended before the uninstall" ended "$stub_pid"
  check "the install folder is gone" test ! -e "$instdir"
  check "the Kivo folder is gone" test ! -e "$(dirname "$instdir")"
  check "the Start-menu shortcut is gone" test ! -e "$startmenu_link"
  while IFS='|' read -r link target expected; do
    if [ "$expected" = removed ]; then
      check "start-up shortcut \"$link\" to the program is gone" test ! -e "$startup/$link"
    else
      check "start-up shortcut \"$link\" to another copy is kept" test -e "$startup/$link"
    fi
  done <<EOF
$title $version.lnk|$instdir_win\\Tellavo.exe|removed
$title 1.00.lnk|$instdir_win\\Tellavo.exe|removed
$title 0.99.lnk|C:\\Portable\\Tellavo.exe|kept
EOF
  check "the uninstall key is gone" key_absent "$uninst_key"
  check "the settings are kept" \
    test "$(reg_value "$product_key\\SaveData\\MainWindow\\View" Width)" = "REG_DWORD 0x280"

  # Asked to, the uninstaller also removes the settings.
  check "reinstall succeeds" install_silently "reinstall"
  uninstall_silently "silent uninstall with /RemoveSettings" /RemoveSettings
  check "with /RemoveSettings the install folder is gone" test ! -e "$instdir"
  check "with /RemoveSettings the settings are gone" \
    key_absent "$product_key"

  # The portable zip from a folder with spaces and letters beyond ASCII.
  local folder="$work/Zeit und Uhr/Tellavo Ünïcödé Tést 時計"
  mkdir -p "$folder"
  unzip -q "$portable" -d "$folder"
  if w 60 "$folder/tellavo-clocks.exe" --list pickup --24h --at 2026-07-01T12:00:00Z; then
    check "portable tellavo-clocks lists the preset places" \
      test "$(grep -cE '^\[[ x]\] ' "$out")" -ge 20
  else
    fail "portable tellavo-clocks runs from \"$folder\" ($(head -c 200 "$work/err.txt"))"
  fi
  run_program "portable Tellavo.exe" "$folder/Tellavo.exe"

  # A folder of the user's choice, with spaces and letters beyond ASCII (as under a user name
  # such as José): installed, found by its shortcut and entry, and removed again.
  instdir_win='C:\Users Ünïcödé\Zeit Tést\Tellavo'
  instdir=$(unix_path "$instdir_win")
  check "silent install into \"$instdir_win\" succeeds" \
    install_silently "silent install into a chosen folder" "$instdir_win"
  check "the program is in the chosen folder" same_file "$work/packaged/Tellavo.exe" "$instdir/Tellavo.exe"
  probe lnk "$(sed 's#/#\\#g' <<<"Z:$startmenu_link")"
  check "the Start-menu shortcut targets the chosen folder" \
    test "$(lower "$(cut -f1 "$out")")" = "$(lower "$instdir_win\\Tellavo.exe")"
  check "the uninstall entry names the chosen folder" \
    test "$(reg_value "$uninst_key" InstallLocation)" = "REG_SZ $instdir_win"
  uninstall_silently "silent uninstall from a chosen folder"
  check "the chosen folder is gone" test ! -e "$instdir"
  check "the uninstall key is gone after the chosen folder's uninstall" key_absent "$uninst_key"
}

# run_program WHAT EXE [ARGS...]: starts the program, lets it show its window (or end) and
# closes it.
start_program() {  # start_program EXE [ARGS...]: starts it, waits for its window; pid in app_pid
  local exe=$1 i
  shift
  app_shown=0
  wine "$exe" "$@" </dev/null >"$work/app.log" 2>&1 &
  app_pid=$!
  bg_pids+=("$app_pid")
  for i in $(seq 1 50); do
    ended "$app_pid" && break
    probe windows
    [ "$(cat "$out")" -gt 0 ] 2>/dev/null && { app_shown=1; break; }
    sleep 0.2
  done
}

run_program() {
  local what=$1 rc i
  shift
  start_program "$@"
  [ $app_shown = 1 ] && { sleep 1; probe close; }
  for i in $(seq 1 100); do ended "$app_pid" && break; sleep 0.1; done
  if ! ended "$app_pid"; then
    fail "$what ends when its window is closed"
    return
  fi
  wait "$app_pid"; rc=$?
  check "$what runs and ends cleanly (window shown: $app_shown)" test "$rc" = 0
}

run_first_start() {
  check "silent install succeeds" install_silently "silent install"
  check "\"Silent\" is 1 after the install" test "$(reg_value "$product_key" Silent)" = "REG_DWORD 0x1"
  # A start at logon ("Start on System Boot" passes -startup) leaves the flag for the first
  # start by the user.
  run_program "installed Tellavo.exe -startup" "$instdir/Tellavo.exe" -startup
  check "a start with -startup leaves \"Silent\" alone" \
    test "$(reg_value "$product_key" Silent)" = "REG_DWORD 0x1"
  # As the Start-menu shortcut starts it: no arguments.
  run_program "installed Tellavo.exe" "$instdir/Tellavo.exe"
  check "the first start clears \"Silent\"" test "$(reg_value "$product_key" Silent)" = "REG_DWORD 0x0"
}

case $mode in
  packages) run_packages ;;
  first_start) run_first_start ;;
  *) echo "unknown mode $mode"; exit 2 ;;
esac
figure "dist $mode test: $(since "$started") s"
echo "$mode: $failures failed"
[ $failures = 0 ]
