#!/usr/bin/env bash
# Runs a command (a test program under Wine) beside a LIRC daemon's files: a fresh folder
# with lircd's options (the file driver on /dev/null, simulated presses allowed, TCP on a
# free loopback port), a small remote definition, and the folder and port in
# ORVANE_LIRC_DIR and ORVANE_LIRC_PORT. The test starts and stops lircd itself; whatever
# is still running when the command ends is ended here, and the folder goes.
set -euo pipefail
dir=$(mktemp -d "${TMPDIR:-/tmp}/orvane-lirc.XXXXXX")
cleanup() {
  if [ -f "$dir/lircd.pid" ]; then
    pid=$(cat "$dir/lircd.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  fi
  rm -rf "$dir"
}
trap cleanup EXIT
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
cat >"$dir/lircd.options" <<OPTIONS
[lircd]
nodaemon = True
driver = file
device = /dev/null
output = $dir/lircd.sock
pidfile = $dir/lircd.pid
allow-simulate = Yes
listen = 127.0.0.1:$port
OPTIONS
cat >"$dir/lircd.conf" <<REMOTE
begin remote
  name  orvanetest
  bits  16
  eps   30
  aeps  100
  one   0 0
  zero  0 0
  gap   100000
  begin codes
    KEY_1       0x0001
    KEY_UP      0x0002
    KEY_WWW     0x0003
  end codes
end remote
REMOTE
export ORVANE_LIRC_DIR="$dir" ORVANE_LIRC_PORT="$port"
"$@"
