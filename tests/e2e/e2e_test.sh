#!/usr/bin/env bash
# Tellavo.exe driven as a user drives it, under Wine on a private display: xdotool clicks and
# drags, a probe (e2e_probe.exe) that looks at the window from another process, chooses menu
# items and reads the clipboard, and the settings read back from the registry. Every case
# starts from no settings and an empty start-up folder, in a copy of the project's prefix
# (its own wineserver, stopped and removed at the end).
#   e2e_test.sh TELLAVO_EXE PROBE_EXE SOURCE_DIR [CASE...]
set -u
app_exe=$1 probe_exe=$2 src=$3
shift 3
cases=("$@")

failures=0 skipped=0
pass() { echo "ok: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
skip() { echo "SKIPPED: $*"; skipped=$((skipped + 1)); }
check() {  # check DESCRIPTION COMMAND...: passes when the command succeeds
  local what=$1; shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}
figure() { echo "[ figures  ] $*"; }
now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.2f", b - a }'; }

for f in "$app_exe" "$probe_exe"; do
  [ -f "$f" ] || { echo "FAIL: $f is missing"; exit 1; }
done
for tool in xdotool xwininfo; do
  command -v $tool >/dev/null || { echo "FAIL: $tool is missing (tools/setup.sh installs it)"; exit 1; }
done

source "$src/tools/wine-env.sh"
own_display=0
if [ -z "${DISPLAY:-}" ]; then
  xvfb_start || { echo "FAIL: no display and Xvfb did not start"; exit 1; }
  own_display=1
fi
base_prefix=$WINEPREFIX
[ -d "$base_prefix" ] || "$src/tools/wine-prefix.sh" || exit 1
work=$(mktemp -d "${TMPDIR:-/tmp}/tellavo-e2e.XXXXXX")
export WINEPREFIX=$work/prefix
started=$(now)
cp -a "$base_prefix" "$WINEPREFIX"
app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  WINEPREFIX=$work/prefix timeout 30 wineserver -k </dev/null >/dev/null 2>&1
  WINEPREFIX=$work/prefix timeout 30 wineserver -w </dev/null >/dev/null 2>&1
  rm -rf "$work"
  [ $own_display = 1 ] && xvfb_stop
}
trap cleanup EXIT
wine_start
figure "prefix copy and start: $(since "$started") s"

out=$work/out.txt
probe() {  # probe ARGS...: the probe's output (CR removed) in $out
  timeout --kill-after=5 30 wine "$probe_exe" "$@" </dev/null >"$out.raw" 2>/dev/null
  local rc=$?
  tr -d '\r' <"$out.raw" >"$out"
  return $rc
}
# within SECONDS COMMAND...: polls the command until it succeeds.
within() {
  local limit=$1; shift
  local end; end=$(awk -v a="$(now)" -v s="$limit" 'BEGIN { printf "%.2f", a + s }')
  while :; do
    "$@" && return 0
    awk -v a="$(now)" -v e="$end" 'BEGIN { exit !(a > e) }' && return 1
    sleep 0.1
  done
}

settings='HKCU\Software\Kivo\Kivo Tellavo\SaveData'
view="$settings\\MainWindow\\View"
reg_value() {  # reg_value KEY NAME: the value's data as reg shows it, or nothing
  timeout 30 wine reg query "$1" /v "$2" </dev/null 2>/dev/null | tr -d '\r' |
    awk -v n="$2" '$1 == n { $1 = ""; $2 = ""; sub(/^ +/, ""); print; exit }'
}
reg_default() {  # reg_default KEY: the key's default value
  timeout 30 wine reg query "$1" /ve </dev/null 2>/dev/null | tr -d '\r' |
    awk '/REG_SZ/ { sub(/.*REG_SZ +/, ""); print; exit }'
}
dword_is() { [ "$(reg_value "$1" "$2")" = "$3" ]; }
value_is() { [ "$(reg_value "$1" "$2")" = "$3" ]; }
default_is() { [ "$(reg_default "$1")" = "$2" ]; }

probe startup || { echo "FAIL: no start-up folder"; exit 1; }
startup_win=$(cat "$out")
startup_dir=$WINEPREFIX/drive_c/${startup_win:3}
startup_dir=${startup_dir//\\//}
version=$(sed -n 's/^project(Tellavo VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
boot_link="$startup_dir/Kivo Tellavo $version.lnk"

# --- the program --------------------------------------------------------------------------
fresh() {  # no settings, nothing in the start-up folder, an empty clipboard
  timeout 30 wine reg delete 'HKCU\Software\Kivo' /f </dev/null >/dev/null 2>&1
  rm -f "$startup_dir"/*.lnk
  probe clipclear
}
start_app() {  # start_app ARGS...: starts the program in the background
  timeout --kill-after=5 120 wine "$app_exe" "$@" </dev/null >>"$work/app.log" 2>&1 &
  app_pid=$!
}
running() { kill -0 "$1" 2>/dev/null && [ "$(ps -o stat= -p "$1" 2>/dev/null | cut -c1)" != Z ]; }
ended() { ! running "$1"; }
# Window state from the probe: count x y w h visible enabled topmost iconic foreground zoomed.
window() {
  count=0 x=0 y=0 w=0 h=0 visible=0 enabled=0 topmost=0 iconic=0 foreground=0 zoomed=0
  probe window || return 1
  local line; line=$(head -n 1 "$out")
  [[ $line =~ ^(count|x|y|w|h|visible|enabled|topmost|iconic|foreground|zoomed)=-?[0-9]+( |$) ]] ||
    return 1
  local kv
  for kv in $line; do printf -v "${kv%%=*}" '%s' "${kv#*=}"; done
}
in_tray() { window && [ "$visible$foreground" = 00 ]; }
shown() { window && [ "$visible" = 1 ] && [ "$iconic" = 0 ]; }
hidden() { window && [ "$visible" = 0 ]; }
file_holds() { [ "$(cat "$1" 2>/dev/null)" = "$2" ]; }
maximized_to() { window && [ "$zoomed,$w,$h" = "1,$1,$2" ]; }
placed_at() { window && [ "$zoomed,$x,$y,$w,$h" = "0,$1,$2,$3,$4" ]; }
topmost_is() { window && [ "$topmost" = "$1" ]; }
wait_shown() { within 20 shown; }
quit_app() {  # "Exit" from the menu bar; the process must end
  probe menu 999
  within 10 ended "$app_pid"
}
stop_app() {  # makes sure nothing of a case outlives it
  if [ -n "$app_pid" ] && running "$app_pid"; then
    probe command 990
    within 5 ended "$app_pid" || kill "$app_pid" 2>/dev/null
  fi
  wait "$app_pid" 2>/dev/null
  app_pid=
}
tray_icon_gone() { ! tray_icon_shown; }
tray_icon_shown() { xwininfo -root -tree 2>/dev/null | grep -q '"Wine System Tray"'; }
popup_open() { probe popup && [ "$(head -n 1 "$out")" -ge 1 ]; }
popup_closed() { probe popup && [ "$(head -n 1 "$out")" = 0 ]; }
# tray_first: opens the tray menu and chooses its first item, as Down and Return do.
tray_first() {
  probe tray right && within 5 popup_open && probe menukeys down return && within 5 popup_closed
}
clipboard() { probe clip && cat "$out"; }
clip_matches() { probe clip && grep -Eq "$1" "$out"; }
# click X Y [BUTTON]: a click at a point of the window (relative to its top left).
click() {
  window || return 1
  xdotool mousemove $((x + $1)) $((y + $2)) sleep 0.1 mousedown "${3:-1}" sleep 0.1 mouseup "${3:-1}"
}
# A place's line in the 12- or 24-hour form, as the tray menu and the clipboard show it, for
# now and the minute before (the minute may turn between the copy and the check).
place_line() {  # place_line NAME TZ 12|24
  local form='%-m/%-d/%Y %-I:%M %p'
  [ "$3" = 24 ] && form='%-m/%-d/%Y %-H:%M'
  local t
  for t in now '1 minute ago'; do
    echo "$1 $(TZ=$2 date -d "$t" +"$form")"
  done
}
clip_is_place_line() {  # clip_is_place_line NAME TZ 12|24: the clipboard holds that line
  probe clip || return 1
  local got; got=$(sed -E 's/ 0([0-9]):/ \1:/' "$out")
  place_line "$1" "$2" "$3" | grep -qxF -- "$got"
}
# list_is VISIBLE ROWS-REGEX: one of the window's platform lists is in that state.
list_is() { probe lists && grep -Eqx "$1 $2" "$out"; }
# The clipboard holds a line of the first place under another name than its English one.
clip_renamed() { probe clip && grep -Eq '^.+ [0-9]+/[0-9]+/[0-9]{4} ' "$out" && ! grep -q '^Hawaii ' "$out"; }
# The first row's check box in the pick-up list.
check_first_place() { click 14 85; }

# --- the cases ----------------------------------------------------------------------------
case_first_start() {
  fresh
  local t0; t0=$(now)
  start_app
  check "first start: the window shows" wait_shown
  figure "first start until the window shows: $(since "$t0") s"
  probe screen; local sw sh; read -r sw sh <"$out"
  window
  check "first start: 700 x 550" test "$w x $h" = "700 x 550"
  check "first start: centred on the screen" test "$x,$y" = "$(((sw - 700) / 2)),$(((sh - 550) / 2))"
  check "first start: visible, enabled and in front" test "$visible$enabled$foreground" = 111
  check "first start: not kept on top" test "$topmost" = 0
  check "first start: the tray icon is there" within 5 tray_icon_shown
  # The pages: the pick-up list shown with the preset, the all-zones list filled behind it.
  check "first start: the pick-up page shows the preset's 29 places" \
    within 3 list_is "visible=1" "rows=29"
  check "first start: the all-zones list holds every zone, some twice (with daylight saving)" \
    list_is "visible=0" "rows=(1[4-9][0-9]|[2-9][0-9][0-9])"
  click 120 44
  check "tabs: \"All Time Zones\" shows the all-zones list" \
    within 3 list_is "visible=1" "rows=(1[4-9][0-9]|[2-9][0-9][0-9])"
  click 32 44
  check "tabs: \"Pick Up\" shows the pick-up list again" within 3 list_is "visible=1" "rows=29"

  # No checked place: the tray menu starts with "Open Window", which iconizes the window.
  check "tray menu: a right click on the icon opens it" probe tray right
  check "tray menu: it is open" within 5 popup_open
  probe menukeys down return
  check "tray menu: its first item without checked places is \"Open Window\": it iconizes" \
    within 5 hidden
  check "tray menu: the icon stays while iconized" tray_icon_shown
  tray_first
  check "tray menu: \"Open Window\" shows the window again" within 5 shown

  # A check box saves at once, and the place then leads the tray menu.
  check_first_place
  check "check box: a click saves the check at once" within 3 dword_is "$view\\PickUp\\0" Checked 0x1
  # The preset is written by the first save.
  check "first start: the preset holds 29 places under Wine's zone names" \
    dword_is "$view\\PickUp" NumOfEntries 0x1d
  check "first start: the preset's first place is Hawaii" value_is "$view\\PickUp\\0" Name Hawaii
  probe clipclear
  tray_first
  check "tray menu: choosing a checked place copies \"name date time\" in the 12-hour form" \
    within 3 clip_is_place_line Hawaii Pacific/Honolulu 12
  [ $? = 0 ] || echo "  clipboard: $(clipboard)"

  # AM / PM: stored at once, and the texts switch at the next tick.
  probe menu 700
  check "AM / PM off: \"ShowInAmPm\" stored as 0" within 3 dword_is "$view" ShowInAmPm 0x0
  probe clipclear
  sleep 1.2
  tray_first
  check "AM / PM off: the place's line is in the 24-hour form" \
    within 3 clip_is_place_line Hawaii Pacific/Honolulu 24
  [ $? = 0 ] || echo "  clipboard: $(clipboard)"
  probe menu 700
  check "AM / PM on again: \"ShowInAmPm\" stored as 1" within 3 dword_is "$view" ShowInAmPm 0x1

  check "\"Exit\" ends the process" quit_app
  check "\"Exit\" removes the tray icon" within 5 tray_icon_gone
  stop_app
}

case_restart() {
  fresh
  start_app
  wait_shown
  # Dragged by its surface (the status bar), then resized.
  window; local x0=$x y0=$y
  xdotool mousemove $((x + 60)) $((y + 520)) sleep 0.1 mousedown 1 sleep 0.1 \
    mousemove $((x + 20)) $((y + 500)) sleep 0.1 mousemove $((x - 90)) $((y + 430)) sleep 0.2 mouseup 1
  sleep 0.5
  window
  check "drag by the surface moves the window with the pointer" \
    test "$x,$y" = "$((x0 - 150)),$((y0 - 90))"
  [ "$x,$y" = "$((x0 - 150)),$((y0 - 90))" ] || echo "  from $x0,$y0 to $x,$y"
  probe size 760 600
  sleep 0.5
  window; local wx=$x wy=$y
  check "resized to 760 x 600" test "$w x $h" = "760 x 600"
  check "restart: \"Exit\" ends the process" quit_app
  stop_app
  check "restart: the position is stored" test "$(reg_value "$view" X),$(reg_value "$view" Y)" = \
    "$(printf '0x%x,0x%x' "$wx" "$wy")"
  check "restart: the size is stored" \
    test "$(reg_value "$view" Width),$(reg_value "$view" Height)" = "0x2f8,0x258"
  start_app
  wait_shown
  window
  check "restart: the window comes back where it was, as large as it was" \
    test "$x,$y,$w,$h" = "$wx,$wy,760,600"
  stop_app

  # Maximized by its caption button, with the list's columns in the reversed stored order.
  local order="$view\\PickUpColumnOrder" i
  timeout 30 wine reg add "$order" /v length /t REG_DWORD /d 5 /f </dev/null >/dev/null 2>&1
  for i in 0 1 2 3 4; do
    timeout 30 wine reg add "$order" /v _$i /t REG_DWORD /d $((4 - i)) /f </dev/null >/dev/null 2>&1
  done
  start_app
  wait_shown
  probe screen; local sw sh; read -r sw sh <"$out"
  window
  click $((w - 34)) 18
  check "maximize button: the window fills the screen" within 3 maximized_to "$sw" "$sh"
  quit_app
  stop_app
  check "maximized: \"Maximized\" stored" dword_is "$view" Maximized 0x1
  check "maximized: the size before stays stored" \
    test "$(reg_value "$view" Width),$(reg_value "$view" Height)" = "0x2f8,0x258"
  check "column order: the reversed order is kept" \
    test "$(for i in 0 1 2 3 4; do reg_value "$order" _$i; done | tr '\n' ' ')" = \
    "0x4 0x3 0x2 0x1 0x0 "
  start_app
  wait_shown
  check "restart: the window comes back maximized" within 3 maximized_to "$sw" "$sh"
  window
  click $((w - 34)) 18
  check "maximize button again: the window is restored to its stored place and size" \
    within 3 placed_at "$wx" "$wy" 760 600
  stop_app
}

case_launch_modes() {
  fresh
  local first
  start_app -StartUP
  first=$app_pid
  check "-startup: the window is made" within 20 window
  check "-startup: it goes to the tray, not shown and not in front" within 10 in_tray
  sleep 0.5
  check "-startup: and stays there" in_tray
  check "-startup: the tray icon is there" within 5 tray_icon_shown

  # A second start shows the first copy and ends.
  timeout --kill-after=5 60 wine "$app_exe" </dev/null >>"$work/app.log" 2>&1 &
  local second=$!
  check "second start: it ends" within 15 ended "$second"
  wait "$second" 2>/dev/null
  check "second start: the first copy comes forward" within 10 shown
  window
  check "second start: one window, in front" test "$count$foreground" = 11
  check "second start: the first copy goes on" running "$first"

  # "#X" iconizes into the tray; the program goes on.
  click 687 18
  check "\"#X\": the window goes to the tray" within 5 hidden
  check "\"#X\": the process goes on" running "$first"
  tray_first
  check "tray menu: \"Open Window\" brings it back" within 5 shown

  # A middle click iconizes by default; "Iconize on Mouse-Wheel Click" turns that off.
  click 400 300 2
  check "middle click: iconizes the window" within 5 hidden
  probe tray left
  within 5 shown
  probe menu 110
  check "middle click off: \"OnMClick\" stored as DoNothing" \
    within 3 value_is "$view" OnMClick DoNothing
  click 400 300 2
  sleep 0.7
  check "middle click off: the window stays" shown

  # The tray menu's "Exit".
  probe tray right
  within 5 popup_open
  probe menukeys up return
  check "tray menu: \"Exit\" (its last item) ends the program" within 10 ended "$first"
  stop_app
}

case_view_commands() {
  fresh
  start_app
  wait_shown
  probe menu 100
  check "keep on top: WS_EX_TOPMOST set" within 3 topmost_is 1
  check "keep on top: \"KeepOnTop\" stored as 1" within 3 dword_is "$view" KeepOnTop 0x1
  probe menu 100
  check "keep on top off: WS_EX_TOPMOST cleared" within 3 topmost_is 0
  check "keep on top off: \"KeepOnTop\" stored as 0" within 3 dword_is "$view" KeepOnTop 0x0

  probe menu 140
  check "start on boot: the shortcut is created" within 5 test -f "$boot_link"
  if probe lnk "$(sed 's#/#\\#g' <<<"Z:$boot_link")"; then
    local target args
    IFS=$'\t' read -r target args <"$out"
    check "start on boot: the shortcut starts Tellavo.exe" \
      test "$(tr '[:upper:]' '[:lower:]' <<<"${target##*\\}")" = tellavo.exe
    check "start on boot: with \"-startup\"" test "$args" = -startup
  else
    fail "start on boot: the shortcut cannot be read"
  fi
  probe menu 140
  check "start on boot off: the shortcut is removed" within 5 test ! -e "$boot_link"

  # Language: preset names follow it.
  check_first_place
  within 3 dword_is "$view\\PickUp\\0" Checked 0x1
  probe menu 7
  check "language: \"Japanese\" stored" within 3 default_is "$settings\\Language" Japanese
  probe clipclear
  tray_first
  check "language: the preset place's name follows (not \"Hawaii\" any more)" \
    within 3 clip_renamed
  probe menu 0
  check "language: \"English\" stored again" within 3 default_is "$settings\\Language" English
  probe clipclear
  tray_first
  check "language: back in English the place is \"Hawaii\" again" \
    within 3 clip_is_place_line Hawaii Pacific/Honolulu 12

  # Skin: the colours change and the choice persists.
  local shot=$work/shot.png before after
  window
  import -display "$DISPLAY" -window root -crop 4x4+$((x + 300))+$((y + 530)) "$shot" 2>/dev/null
  before=$(convert "$shot" -format '%[pixel:p{1,1}]' info: 2>/dev/null)
  probe menu 204
  check "skin: \"Black Black\" stored" within 3 default_is "$settings\\Skin" "Black Black"
  sleep 0.5
  import -display "$DISPLAY" -window root -crop 4x4+$((x + 300))+$((y + 530)) "$shot" 2>/dev/null
  after=$(convert "$shot" -format '%[pixel:p{1,1}]' info: 2>/dev/null)
  check "skin: the window's background changes ($before -> $after)" \
    test -n "$after" -a "$before" != "$after"
  quit_app
  stop_app
  start_app
  wait_shown
  sleep 0.5
  window
  import -display "$DISPLAY" -window root -crop 4x4+$((x + 300))+$((y + 530)) "$shot" 2>/dev/null
  check "skin: after a restart the window has the chosen colours" \
    test "$(convert "$shot" -format '%[pixel:p{1,1}]' info: 2>/dev/null)" = "$after"
  stop_app
}

# The web pages go to a browser stand-in that records the address it was given (Wine's
# winebrowser starts the programs of "Browsers").
case_web_pages() {
  fresh
  local urls=$work/urls.txt stand_in=$work/browser.sh
  printf '#!/bin/sh\necho "$1" >>"%s"\n' "$urls" >"$stand_in"
  chmod +x "$stand_in"
  timeout 30 wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$stand_in" /f \
    </dev/null >/dev/null 2>&1
  start_app
  wait_shown
  # route, command id, the page's text id in the language pack, what it is
  local pages=(
    "menu 10100 500003 About: Software Page"
    "menu 10200 500004 About: Tell Developers"
    "menu 10900 108000 About: More Software"
    "menu 10950 108200 About: Using at Workplace"
    "menu 34 108500 Language: Translate"
    "command 10100 500003 tray About: Software Page"
    "command 10950 108200 tray About: Using at Workplace"
  )
  local entry route id text what expected
  for entry in "${pages[@]}"; do
    read -r route id text what <<<"$entry"
    expected=$(awk -F '\t' -v id="$text" '$1 == id { print $2; exit }' "$src/tools/langpack/common.tsv")
    rm -f "$urls"
    probe "$route" "$id"
    check "web page, $what: the browser gets $expected" \
      within 10 file_holds "$urls" "$expected"
  done
  timeout 30 wine reg delete 'HKCU\Software\Wine\WineBrowser' /v Browsers /f </dev/null >/dev/null 2>&1
  stop_app
}

owned_is() { probe owned && [ "$(head -n 1 "$out")" = "$1" ]; }
enabled_is() { window && [ "$enabled" = "$1" ]; }
case_about() {
  fresh
  start_app
  wait_shown
  probe menu 10000
  check "about: \"Version Information\" opens the About window" within 5 owned_is 1
  check "about: the clock window is disabled meanwhile" within 5 enabled_is 0
  probe owned close
  check "about: closing it enables the clock window again" within 5 enabled_is 1
  check "about: and it is gone" within 5 owned_is 0
  stop_app
}

case_panel() {
  fresh
  start_app
  wait_shown
  click 81 449   # "Add / Edit Entries" opens the panel under the list
  sleep 0.5
  click 65 113   # Mountain Time: shown in the panel
  sleep 0.5
  click 337 375  # the name field
  xdotool key ctrl+a type --delay 20 'Home Base'
  sleep 0.3
  click 162 453  # "Add as New"
  check "panel: \"Add as New\" appends a place" within 5 list_is "visible=1" "rows=30"
  check "panel: the new place is stored last" within 5 value_is "$view\\PickUp\\29" Name "Home Base"
  click 53 453   # "Delete Entry" takes the new (edited) place out again
  check "panel: \"Delete Entry\" removes it" within 5 list_is "visible=1" "rows=29"
  check "panel: the list is stored without it" within 5 dword_is "$view\\PickUp" NumOfEntries 0x1d
  stop_app
}

case_copy_and_delete() {
  fresh
  start_app
  check "copy: the window shows" wait_shown
  # Hawaii, then Pacific and Mountain time with Ctrl held: three selected rows.
  click 60 85
  window && xdotool mousemove $((x + 60)) $((y + 99)) sleep 0.1 keydown ctrl click 1 \
    mousemove $((x + 60)) $((y + 113)) sleep 0.1 click 1 keyup ctrl
  sleep 0.3
  click 60 113 3
  check "copy: a right click on a selected place opens the popup" within 5 popup_open
  probe menukeys down return
  within 5 popup_closed
  check "copy: three lines joined by CR LF, no break at the end" within 5 clip_matches \
    '^Hawaii [^<]+<CR><LF>Pacific Time [^<]+<CR><LF>Mountain Time [^<]+[AP]M$'
  # "Delete Entry" from the same popup takes all three out and stores the shorter list.
  click 60 113 3
  within 5 popup_open
  probe menukeys down down return
  within 5 popup_closed
  check "delete: the three places leave the list" within 5 list_is "visible=1" "rows=26"
  check "delete: the shorter list is stored" within 5 dword_is "$view\\PickUp" NumOfEntries 0x1a
  stop_app
}

all_cases=(first_start restart launch_modes view_commands web_pages copy_and_delete about panel)
[ ${#cases[@]} = 0 ] && cases=("${all_cases[@]}")
for c in "${cases[@]}"; do
  echo "== $c"
  t0=$(now)
  "case_$c"
  stop_app
  figure "$c: $(since "$t0") s"
done
echo "e2e: $failures failed, $skipped skipped"
[ $failures = 0 ]
