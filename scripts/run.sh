#!/usr/bin/env bash
# Runs the system on this machine: installs what is missing, builds, prepares the Wine prefix
# (the receiver driver as a service, the installation data; the picture files lie next to
# the programs, which is the installation directory), then starts the driver, Tellumo and
# the virtual remote.
#
# With a DISPLAY you drive it by hand: click the virtual remote's buttons (or press their
# keys) and watch the tray icon and the programs in front; closing the remote ends the run.
# Without one, a short scripted session runs under Xvfb: it prints what happened and saves
# screenshots in $ORVANE_BUILD/run/, and pictures of every page of the help file in
# $ORVANE_BUILD/run/help/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
: "${ORVANE_BUILD:=$root/build}"
export ORVANE_BUILD

if [ -z "${ORVANE_SESSION:-}" ]; then
  "$root/scripts/setup.sh"
  # Decided before the session, which starts Xvfb when there is no display.
  if [ -n "${DISPLAY:-}" ]; then export ORVANE_RUN=hand; else export ORVANE_RUN=scripted; fi
  exec "$root/scripts/wine-session.sh" "$0" "$@"
fi

bin="$ORVANE_BUILD/bin"
out="$ORVANE_BUILD/run"
wbin=$(winepath -w "$bin")
mkdir -p "$out"

run() { wine "$@" </dev/null; }

echo "== Preparing the prefix"
run "$bin/OrvaneSetup.exe" /driver
run "$bin/OrvaneSetup.exe" /data "$wbin\\orvane.ini" "$wbin"
run "$bin/remote.exe" /connect 1
run "$bin/remote.exe" /mouse 3 1

echo "== Starting Tellumo"
wine "$bin/Tellumo.exe" </dev/null &
for _ in $(seq 100); do
  run "$bin/remote.exe" /state | grep -qv "window 0x00000000" && break
  sleep 0.1
done
run "$bin/remote.exe" /state

if [ "$ORVANE_RUN" = hand ]; then
  echo "== The virtual remote is open: click its buttons or press their keys (F1-F5 modes,"
  echo "   S shift, digits, arrows, Enter, P play ...). The tray icon shows mode and shift;"
  echo "   right-click it for Help, Configure and Close. Close the remote to end the run."
  run "$bin/remote.exe" /log "$wbin\\remote.log"
  exit 0
fi

# ---- the scripted session ----
rm -f "$out"/*.png "$out"/presses.log "$bin/winebrowser.txt"
# The browser is a recorder here: the addresses handed to it land in winebrowser.txt.
run reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$bin/record-browser.sh" /f >/dev/null
trap 'wine reg delete "HKCU\\Software\\Wine\\WineBrowser" /v Browsers /f </dev/null >/dev/null 2>&1 || true' EXIT
wine "$bin/remote.exe" </dev/null &
remote_window=$!
run "$bin/traystate.exe" /wait "Virtual Remote" || true

shot=0
# step TITLE SEQUENCE...: presses buttons of the remote, then shows the tray and takes a screenshot.
step() {
  local title=$1; shift
  shot=$((shot + 1))
  echo
  echo "== $shot. $title"
  if [ $# -gt 0 ]; then run "$bin/remote.exe" /log "$wbin\\..\\run\\presses.log" /play "$@" || true; fi
  sleep 1.5
  run "$bin/traystate.exe" /hover >/dev/null || true
  sleep 1.5
  printf '   tray: '; run "$bin/traystate.exe" || true
  local name
  name=$(printf '%s' "${title%%:*}" | tr 'A-Z ' 'a-z-')
  import -window root "$out/$(printf %02d "$shot")-$name.png"
}

step "start: PC mode, own icon" 
step "PLAY: launches Notepad" PLAY +2500
step "SHIFT 1 2 3: shift on, the digits type into Notepad" SHIFT +200 1 2 3
step "SHIFT OK: shift off, Enter" SHIFT +200 OK
step "PC 7: pointer home, 7 maximizes the window under it" PC +500 7
step "WEB: mode change, its own command opens a web address" WEB +1500
step "PHONE" PHONE
step "DVD" DVD
step "CD" CD
step "PC: back to PC, the pointer goes home" PC
step "UP held: one at once, repeats after a second" UP*20
step "PC 5: pointer home, the on-screen keyboard for the window under it" PC +500 5
step "BACK: Esc closes the keyboard" BACK
step "0: the task switcher" 0
step "RIGHT OK: Notepad chosen, the switcher closes" RIGHT +300 OK

# until_window wait|gone CAPTION COMMAND...: a traystate command, tried again until the window
# titled CAPTION shows (wait) or has gone (gone); three tries.
until_window() {
  local check=$1 caption=$2; shift 2
  for _ in 1 2 3; do
    run "$bin/traystate.exe" "$@" || true
    run "$bin/traystate.exe" "/$check" "$caption" && return 0
    echo "   (\"$caption\" has not changed yet: once more)"
  done
  echo "   \"$caption\" did not change"
  return 1
}

# The press log, opened from the icon's menu ("Press &Log"), lists the presses that follow.
until_window wait "Press Log" /menu l || true
step "Press log: DOWN held, SHIFT twice (the second counts as a repeat), SHIFT again after a pause (shift off), WEB, PC" DOWN*12 +400 SHIFT +300 SHIFT +1500 SHIFT +300 WEB +1500 PC

# pic NAME: a screenshot of the configuration as it is now.
pic() {
  shot=$((shot + 1))
  sleep 1.5
  import -window root "$out/$(printf %02d "$shot")-$1.png"
}

until_window gone "Press Log" /close "Press Log" || true
echo
echo "== $((shot + 1)). Configure from the tray icon's menu: the picture of the remote"
until_window wait Buttons /menu o || true
pic configure-off
# Right-click digit 1, then Display > Color, Display > Icon; What's This? on the PC button.
for mode in c:color i:icon; do
  echo "== $((shot + 1)). Display ${mode#*:}"
  run "$bin/traystate.exe" /rclick Buttons 40 158 "d${mode%%:*}" || true
  pic "configure-${mode#*:}"
done
echo "== $((shot + 1)). What's This? on the PC mode button"
until_window wait "What'sThis?" /rclick Buttons 42 87 w || true
pic configure-whatsthis
until_window gone "What'sThis?" /close "What'sThis?" || true
# Digit 1 gets a web address: the function editor, its Web Address dialog, OK and OK.
echo "== $((shot + 1)). Double click on digit 1: the function editor"
until_window wait Functions /dblclick Buttons 40 158 || true
pic editor
echo "== $((shot + 1)). Alt+W: the Web Address dialog, filled in"
until_window wait "Web Address" /alt Functions w || true
run "$bin/traystate.exe" /text "Web Address" 436 "http://example.com/assigned-in-the-editor" || true
pic editor-web
echo "== $((shot + 1)). OK: the web family is marked"
until_window gone "Web Address" /press "Web Address" 1 || true
pic editor-web-chosen
echo "== $((shot + 1)). OK: digit 1 carries the web mark; closing writes the assignment"
# Pressed until the editor has closed: a click can go to activating the window first.
until_window gone Functions /press Functions 1 || true
pic configure-assigned
# Automatic modes, from the picture's window menu (Alt+Space): Notepad chooses WEB and
# WineMine CD.
echo "== $((shot + 1)). Automatic Modes, from the window menu of the picture of the remote"
# Its item is the menu's last: Wine adds "About Wine" to every window menu, whose access key
# is the same letter.
run "$bin/traystate.exe" /alt Buttons " " || true
sleep 1
run "$bin/traystate.exe" /type "{UP}~"
run "$bin/traystate.exe" /wait "Automatic Modes" || true
# add PROGRAM MODE: the Program box (clicked first, so that no listed program is selected),
# the mode, then Add.
add() {
  run "$bin/traystate.exe" /press "Automatic Modes" 2305 || true
  run "$bin/traystate.exe" /text "Automatic Modes" 2305 "$1" || true
  run "$bin/traystate.exe" /choose "Automatic Modes" 2303 "$2" || true
  run "$bin/traystate.exe" /press "Automatic Modes" 2307 || true
  sleep 0.5
}
add notepad.exe WEB
add winemine.exe CD
pic automatic-modes
until_window gone "Automatic Modes" /press "Automatic Modes" 1 || true
until_window gone Buttons /close Buttons || true
# With a program without a pair in front: the remote's own window.
run "$bin/traystate.exe" /front "Virtual Remote" || true
step "1: the new assignment hands its address to the browser" 1

# Each program that comes to the front gives the remote its mode, as its mode button would
# (the mode's own command runs first). Wine tells of a new program in front only when the
# focus moves inside it, so here the change shows at the press that follows the click on
# the program's title bar.
wine winemine </dev/null &
winemine=$!
sleep 2
run "$bin/traystate.exe" /front "Untitled - Notepad" || true
step "Notepad in front: WEB, its start page first, then 2 opens its page" 2
run "$bin/traystate.exe" /front "WineMine" || true
step "WineMine in front: CD, SHIFT shows it shifted" SHIFT
run "$bin/traystate.exe" /front "Untitled - Notepad" || true
step "Notepad in front again: WEB, shift off" 3
run "$bin/traystate.exe" /front "Virtual Remote" || true
step "The remote's own window in front, no pair: back to PC, the mode chosen by hand" 1
kill "$winemine" 2>/dev/null || true

echo
echo "== $((shot + 1)). Menu of the tray icon, then Close"
run "$bin/traystate.exe" /click || true
sleep 1
import -window root "$out/$(printf %02d $((shot + 1)))-menu.png"
run "$bin/traystate.exe" /type c
sleep 1.5
printf '   tray: '; run "$bin/traystate.exe" || true
import -window root "$out/$(printf %02d $((shot + 2)))-closed.png"
kill "$remote_window" 2>/dev/null || true

echo
echo "== Codes the remote sent (presses.log)"
cat "$out/presses.log"
echo
echo "== Addresses handed to the browser (winebrowser.txt)"
cat "$bin/winebrowser.txt" 2>/dev/null || echo "(none)"
# The help file's pages as a browser shows them (Wine's help window has no page engine):
# every page of the compiled file, taken apart with chmls, in headless chromium, taken
# in a tall window and cut below the page's last line.
echo
echo "== Pages of the help file (build/run/help/)"
rm -rf "$out/help"
mkdir -p "$out/help"
chmls extractall "$bin/Mirelo.chm" "$out/help/pages" >/dev/null 2>&1
for page in "$out"/help/pages/*.htm; do
  name=$(basename "$page" .htm)
  png="$out/help/$name.png"
  if ! chromium --headless --disable-gpu --no-sandbox --hide-scrollbars --window-size=800,4000 \
                --screenshot="$png" "file://$page" >/dev/null 2>&1; then
    echo "   $name: no screenshot"
    continue
  fi
  box=$(convert "$png" -format '%@' info:)      # WxH+X+Y of what is not background
  height=${box#*x}; height=${height%%+*}
  convert "$png" -crop "800x$((${box##*+} + height + 20))+0+0" +repage "$png"
done
ls "$out"/help/*.png | wc -l | xargs printf '   %s pages\n'

echo
echo "== Screenshots in $out:"
ls "$out"/*.png
