#!/usr/bin/env bash
# Set-up, build, then every test under Wine; also checks that the sources build for 32-bit.
# At the end it says which test programs Wine lost while starting them (and so were started
# again, see wine-test.sh), and whether any Wine process of the build's prefixes is still
# running (none may be: the run fails then).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
: "${ORVANE_BUILD:=$root/build}"
export ORVANE_BUILD
"$root/scripts/setup.sh"

# The same sources must compile and link for i686 (nothing assumes the size of a pointer).
cmake -S "$root" -B "$ORVANE_BUILD-i686" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DORVANE_TESTS=OFF >/dev/null
cmake --build "$ORVANE_BUILD-i686" -j"$(nproc)"

# Processes of this user that run in one of the build's Wine prefixes (the sessions set
# WINEPREFIX themselves; one inherited here would only mislead this look).
unset WINEPREFIX
build_wine_processes() {
  local environ variable
  for environ in /proc/[0-9]*/environ; do
    while IFS= read -r -d '' variable; do
      if [[ $variable == "WINEPREFIX=$ORVANE_BUILD/"* ]]; then
        environ=${environ#/proc/}; echo "${environ%/environ}"; break
      fi
    done 2>/dev/null <"$environ"
  done
}
running_before=$(build_wine_processes)

export ORVANE_RESTARTS="$ORVANE_BUILD/Testing/restarts.txt"
mkdir -p "$(dirname "$ORVANE_RESTARTS")"
: >"$ORVANE_RESTARTS"

status=0
"$root/scripts/wine-session.sh" ctest --test-dir "$ORVANE_BUILD" --output-on-failure "$@" || status=$?

restarts=$(wc -l <"$ORVANE_RESTARTS")
echo "test.sh: $restarts test program(s) started again because Wine lost them while starting"
sed 's/^/  /' "$ORVANE_RESTARTS"

# What a session stopped may take a moment to go.
left=""
for _ in $(seq 50); do
  left=$(comm -13 <(echo "$running_before" | sort) <(build_wine_processes | sort))
  [ -n "$left" ] || break
  sleep 0.2
done
if [ -n "$left" ]; then
  echo "test.sh: still running after the tests, in a prefix of $ORVANE_BUILD:"
  for pid in $left; do echo "  $pid $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)"; done
  [ "$status" -ne 0 ] || status=1
fi
exit "$status"
