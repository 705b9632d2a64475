#!/usr/bin/env bash
# Fuzzes every parser of user data natively with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, one harness after another, each as a single process:
#
#   scripts/fuzz.sh [--report-only] [SECONDS [HARNESS...]]
#
# SECONDS per harness (default 180); HARNESS any of profile, command, button, message,
# hotkey, zendra, picture, lirc (default all). Each harness (tests/fuzz/<name>_fuzz.cpp)
# checks a round trip or a grammar invariant and stops at the first input that breaks it,
# saved as build/fuzz/artifacts/<name>-crash-*; run the harness on that file to see it again.
# --report-only keeps going past broken invariants (faults that are known and not fixed
# yet): it prints the first inputs and the count of each instead. The corpus grows in
# build/fuzz/corpus/<name>, starting from tests/fuzz/seeds/<name>.txt (one input a line,
# escapes as printf %b reads them).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="${ORVANE_BUILD:-$root/build}/fuzz"
report_only=""
if [ "${1:-}" = "--report-only" ]; then report_only=3; shift; fi
seconds="${1:-180}"
[ $# -gt 0 ] && shift
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=(profile command button message hotkey zendra picture lirc)

# What each harness compiles besides itself and tests/fuzz/fuzz_support.cpp, and its
# longest input.
declare -A sources=(
  [profile]="config/profile32_format.cpp common/autopairs.cpp"
  [command]="engine/Corvalin_command.cpp tests/fuzz/engine_items.cpp"
  [button]="config/but32_command.cpp config/zendrares32_lists.cpp engine/Corvalin_command.cpp
            engine/Corvalin_launch_args.cpp engine/Corvalin_media_math.cpp
            tests/fuzz/engine_items.cpp tests/fuzz/engine_actions.cpp tests/fuzz/win32_shim.cpp"
  [message]="config/mode32_message_text.cpp config/zendrares32_lists.cpp common/msglist.cpp
             tests/fuzz/win32_shim.cpp"
  [hotkey]="config/mode32_hotkey_code.cpp config/zendrares32_lists.cpp tests/fuzz/win32_shim.cpp"
  [zendra]="config/mode32_zendra_text.cpp config/zendrares32_lists.cpp tests/fuzz/win32_shim.cpp"
  [picture]="common/picture_header.cpp"
  [lirc]="tray/lircline.cpp common/receivermap.cpp"
)
declare -A max_len=([profile]=8192 [command]=1024 [button]=1024 [message]=512 [hotkey]=64
                    [zendra]=256 [picture]=4096 [lirc]=4096)
for name in "${harnesses[@]}"; do
  [ -n "${sources[$name]:-}" ] || { echo "fuzz: no harness named $name" >&2; exit 2; }
done

missing=()
command -v clang++ >/dev/null || missing+=(clang libclang-rt-14-dev)
command -v x86_64-w64-mingw32-windres >/dev/null || missing+=(binutils-mingw-w64-x86-64)
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""; [ "$(id -u)" -eq 0 ] || sudo_cmd=sudo
  $sudo_cmd apt-get install -y -q "${missing[@]}" >/dev/null
fi

# The library's resources as Brenvik.dll carries them, for the lists and strings the
# configuration's parsers look up.
mkdir -p "$out/art" "$out/artifacts"
python3 "$root/standins/art/makeart.py" "$out/art" >/dev/null
x86_64-w64-mingw32-windres -I"$root/config/res" -I"$root/include" -I"$out/art" \
  "$root/config/res/Brenvik.rc" -O res -o "$out/Brenvik.res" || exit 1

# Small sound profiles to start from: one mode with all its buttons and the receiver's map
# (version 1), and the same with automatic modes (version 2).
seed_buttons() {
  printf '[Mode]\r\n1="PC"\r\n2=""\r\n[Translation]\r\n129="0x80"\r\n'
  printf '[Default]\r\n0="KEYBOARD"\r\n1=""\r\n[PC]\r\n'
  for b in $(seq 0 39); do printf '%d="LAUNCH\\"a\\x7Fb\\x831,2\\""\r\n' "$b"; done
  printf 'Default="WRITE\\"\\xE9\\\\\\""\r\n'
}
seed_receiver() {
  printf '[Settings\\\\Receiver]\r\nLIRC KEY_1 tv="2"\r\nKey MEDIA_NEXT_TRACK="FF"\r\nEnd of profile\r\n'
}
seed_profile() {
  printf 'Orvane remote profile 1\r\n'; seed_buttons; seed_receiver
}
seed_profile_pairs() {
  printf 'Orvane remote profile 2\r\n'; seed_buttons
  printf '[Settings\\\\AutoModes]\r\nnotepad.exe="pc"\r\nC:\\\\Tools\\\\pl\\xE4yer.exe="PC"\r\n'
  seed_receiver
}

summary=()
failed=0
for name in "${harnesses[@]}"; do
  binary="$out/${name}_fuzz"
  # shellcheck disable=SC2086
  (cd "$root" && clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
      -Itests/fuzz/win32 -Itests/fuzz -Iconfig -Iinclude -Icommon -Iengine -Itray \
      -DORVANE_RESOURCE_FILE="\"$out/Brenvik.res\"" \
      "tests/fuzz/${name}_fuzz.cpp" tests/fuzz/fuzz_support.cpp ${sources[$name]} -o "$binary") || exit 1
  corpus="$out/corpus/$name"
  mkdir -p "$corpus"
  if [ "$name" = profile ]; then
    seed_profile > "$corpus/seed.orp"
    seed_profile_pairs > "$corpus/seed-pairs.orp"
  else
    n=0
    while IFS= read -r line; do
      n=$((n + 1))
      printf '%b' "$line" > "$corpus/seed$n"
    done < "$root/tests/fuzz/seeds/$name.txt"
  fi
  echo "fuzz: $name for $seconds s" >&2
  log="$out/$name.log"
  env ${report_only:+ORVANE_FUZZ_REPORT_ONLY=$report_only} "$binary" -max_total_time="$seconds" \
    -max_len="${max_len[$name]}" -print_final_stats=1 -artifact_prefix="$out/artifacts/$name-" \
    "$corpus" > "$log" 2>&1
  rc=$?
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$')
  if [ $rc -eq 0 ]; then
    result="held"
    grep -q '^invariant broken [0-9]* times' "$log" && result="broken (reported): $(grep '^invariant broken [0-9]* times' "$log" | paste -sd ';')"
  else
    failed=1
    result="FAILED: $(grep -m1 -A1 -E '^invariant broken:|^SUMMARY:' "$log" | paste -sd' ' | tr -s ' ');"
    result+=" $(grep -m1 -o 'Test unit written to .*' "$log")"
  fi
  summary+=("$(printf '%-8s %10s inputs  %s' "$name" "${runs:-?}" "$result")")
done

printf '%s\n' "${summary[@]}"
exit $failed
