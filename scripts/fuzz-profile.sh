#!/usr/bin/env bash
# Fuzzes the assignment-profile reader natively with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer: scripts/fuzz-profile.sh [RUNS] (default 1500000).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="${ORVANE_BUILD:-$root/build}/fuzz"
runs="${1:-1500000}"
command -v clang++ >/dev/null || { sudo_cmd=""; [ "$(id -u)" -eq 0 ] || sudo_cmd=sudo;
  $sudo_cmd apt-get install -y -q clang libclang-rt-14-dev >/dev/null; }
mkdir -p "$out/corpus"
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
        -I"$root/config" -I"$root/common" "$root/tests/config/profile_fuzz.cpp" \
        "$root/config/profile32_format.cpp" "$root/common/autopairs.cpp" -o "$out/profile_fuzz"
# Small sound profiles to start from: one mode with all its buttons, and the same with
# automatic modes (version 2).
buttons() {
  printf '[Mode]\r\n1="PC"\r\n2=""\r\n[Translation]\r\n129="0x80"\r\n'
  printf '[Default]\r\n0="KEYBOARD"\r\n1=""\r\n[PC]\r\n'
  for b in $(seq 0 39); do printf '%d="LAUNCH\\"a\\x7Fb\\x831,2\\""\r\n' "$b"; done
  printf 'Default="WRITE\\"\\xE9\\\\\\""\r\n'
}
{ printf 'Orvane remote profile 1\r\n'; buttons; printf 'End of profile\r\n'; } > "$out/corpus/seed.orp"
{
  printf 'Orvane remote profile 2\r\n'; buttons
  printf '[Settings\\\\AutoModes]\r\nnotepad.exe="pc"\r\nC:\\\\Tools\\\\pl\\xE4yer.exe="PC"\r\n'
  printf 'End of profile\r\n'
} > "$out/corpus/seed-pairs.orp"
"$out/profile_fuzz" -runs="$runs" -max_len=8192 "$out/corpus"
