#!/usr/bin/env bash
# Runs a command inside the project's own Wine session: a private prefix (prepared once,
# then reused), "MS Sans Serif" fonts, a virtual desktop with a notification area, an X
# display (Xvfb when none is set) and a persistent wineserver. Stops only what it started.
#
#   scripts/wine-session.sh COMMAND [ARGS...]
#
# Environment: ORVANE_BUILD (build folder, default ./build), ORVANE_PREFIX (prefix folder).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ -n "${ORVANE_SESSION:-}" ]; then exec "$@"; fi

: "${ORVANE_BUILD:=$root/build}"
export WINEPREFIX="${ORVANE_PREFIX:-$ORVANE_BUILD/prefix}"
# WINEDEBUG may be set by the caller to see Wine's own messages (e.g. -all,err+all).
: "${WINEDEBUG:=-all}"
export WINEARCH=win64 WINEDEBUG WINEDLLOVERRIDES="mscoree,mshtml="
export ORVANE_SESSION=1

started_xvfb=""
started_server=""
holder=""
cleanup() {
  if [ -n "$started_server" ]; then
    wineserver -k >/dev/null 2>&1 || true
    # The desktop holder may still be starting when a short command ends; coming up after the
    # server has gone, it would start a server of its own, with services and a desktop, that
    # nobody stops. So the server is ended until the holder has ended too.
    if [ -n "$holder" ]; then
      for _ in $(seq 100); do
        kill -0 "$holder" 2>/dev/null || break
        sleep 0.1
        wineserver -k >/dev/null 2>&1 || true
      done
      wait "$holder" 2>/dev/null || true
    fi
    wineserver -w >/dev/null 2>&1 || true
  fi
  if [ -n "$started_xvfb" ]; then kill "$started_xvfb" 2>/dev/null || true; fi
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  # Xvfb picks a free display itself and names it once it takes connections: sessions
  # starting side by side never share one.
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" </dev/null >/dev/null 2>&1 &
  started_xvfb=$!
  while [ ! -s "$display_file" ] && kill -0 "$started_xvfb" 2>/dev/null; do sleep 0.05; done
  n=$(tr -dc '0-9' <"$display_file")
  rm -f "$display_file"
  if [ -z "$n" ]; then echo "wine-session: Xvfb did not start" >&2; exit 1; fi
  export DISPLAY=":$n"
fi

# One session of a prefix at a time: sessions started side by side (the build draws its
# pictures in parallel steps) would each start the prefix's server, and the first to end
# would stop it under the others. The lock is this script's alone: what it starts runs
# through `unlocked`, so that nothing left running can hold it.
mkdir -p "$(dirname "$WINEPREFIX")"
exec {session_lock}>"$WINEPREFIX.lock"
flock "$session_lock"
unlocked() { "$@" {session_lock}>&-; }

server_running() {
  [ -d "$WINEPREFIX" ] || return 1
  local dev ino
  dev=$(stat -c %d "$WINEPREFIX"); ino=$(stat -c %i "$WINEPREFIX")
  [ -S "/tmp/.wine-$(id -u)/server-$(printf %x "$dev")-$(printf %x "$ino")/socket" ]
}

if [ ! -f "$WINEPREFIX/.orvane-ready" ]; then
  echo "wine-session: preparing prefix $WINEPREFIX" >&2
  if server_running; then wineserver -k >/dev/null 2>&1 || true; fi
  rm -rf "$WINEPREFIX"
  unlocked wineboot -i </dev/null >/dev/null 2>&1
  wineserver -w
  fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/sserif*.fon "$fonts/"
  [ -f /usr/share/wine/fonts/ms_sans_serif.ttf ] && cp /usr/share/wine/fonts/ms_sans_serif.ttf "$fonts/"
  # Caption buttons and scroll arrows are drawn from Marlett.
  [ -f /usr/share/wine/fonts/marlett.ttf ] && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  unlocked wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
  unlocked wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >/dev/null 2>&1
  # Wine's crash dialog would wait for a click that never comes in a test run.
  unlocked wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  touch "$WINEPREFIX/.orvane-ready"
fi

if ! server_running; then
  unlocked wineserver -p </dev/null >/dev/null 2>&1
  started_server=1
fi
# Wine's services and the desktop process inherit the standard streams of whichever
# program starts them first: start them here, detached, so that no pipe of a later
# program (ctest reads the tests' output through one) is held open by them.
unlocked wine wineboot </dev/null >/dev/null 2>&1 || true
# Wine closes the desktop a second after its last program ends, and a program starting
# just then loses its windows: one idle program holds the desktop while this server runs.
if [ -n "$started_server" ] && [ -f "$ORVANE_BUILD/bin/deskhold.exe" ]; then
  unlocked wine "$ORVANE_BUILD/bin/deskhold.exe" </dev/null >/dev/null 2>&1 &
  holder=$!
fi

unlocked "$@"
