#!/usr/bin/env bash
# Fuzzes the reading of a LIRC server's lines natively with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer: scripts/fuzz-lirc.sh [RUNS] (default 1000000).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="${ORVANE_BUILD:-$root/build}/fuzz-lirc"
runs="${1:-1000000}"
command -v clang++ >/dev/null || { sudo_cmd=""; [ "$(id -u)" -eq 0 ] || sudo_cmd=sudo;
  $sudo_cmd apt-get install -y -q clang libclang-rt-14-dev >/dev/null; }
mkdir -p "$out/corpus"
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
        -I"$root/tray" -I"$root/common" "$root/tests/tray/lirc_fuzz.cpp" "$root/tray/lircline.cpp" \
        "$root/common/receivermap.cpp" -o "$out/lirc_fuzz"
# A start: presses of lircd and WinLIRC, a held button, a protocol reply, bytes of all kinds.
printf '\x07000000000000000a 00 KEY_1 tv\n0000000000000001 1f KEY_UP tv\r\nBEGIN\nSIGHUP\nEND\n\n\xff\x00 x\n' \
  > "$out/corpus/seed"
"$out/lirc_fuzz" -runs="$runs" -max_len=4096 "$out/corpus"
