#!/usr/bin/env bash
# Runs a command (a test program under Wine) with a private PulseAudio server that has a
# null sink, so that Wine shows a mixer with a master volume and mute. The server lives in
# a fresh folder and ends with the command.
set -euo pipefail
dir=$(mktemp -d "${TMPDIR:-/tmp}/orvane-pulse.XXXXXX")
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$dir"
}
trap cleanup EXIT
mkdir -p "$dir/home" "$dir/runtime" "$dir/state"
HOME="$dir/home" PULSE_RUNTIME_PATH="$dir/runtime" PULSE_STATE_PATH="$dir/state" \
PULSE_COOKIE="$dir/cookie" \
  pulseaudio --daemonize=no --exit-idle-time=-1 -n --disallow-exit \
    --load="module-null-sink sink_name=null" \
    --load="module-native-protocol-unix socket=$dir/native auth-anonymous=1" \
    </dev/null >"$dir/server.log" 2>&1 &
pid=$!
for _ in $(seq 100); do [ -S "$dir/native" ] && break; sleep 0.05; done
if [ ! -S "$dir/native" ]; then
  echo "media_pulse: the PulseAudio server did not start:" >&2
  cat "$dir/server.log" >&2
  exit 1
fi
export PULSE_SERVER="unix:$dir/native"
"$@"
