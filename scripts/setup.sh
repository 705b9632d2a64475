#!/usr/bin/env bash
# Installs what the build and the Wine session need (Debian packages), then configures and
# builds the x86_64 binaries into ./build (override with ORVANE_BUILD).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
: "${ORVANE_BUILD:=$root/build}"

# lirc (lircd, irsend) and xdotool: the tests of the receiver's other sources start their own
# LIRC daemon on a loopback port and send keys through the X server.
packages=(cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
          googletest wine wine64 fonts-wine xvfb x11-utils imagemagick pulseaudio python3 nsis
          fp-utils chromium lirc xdotool)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}" >&2
  sudo_cmd=""; [ "$(id -u)" -eq 0 ] || sudo_cmd=sudo
  $sudo_cmd apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S "$root" -B "$ORVANE_BUILD" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$ORVANE_BUILD" -j"$(nproc)"
