#!/usr/bin/env bash
# Set-up, build, then every test under Wine; also checks that the sources build for 32-bit.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
: "${ORVANE_BUILD:=$root/build}"
export ORVANE_BUILD
"$root/scripts/setup.sh"

# The same sources must compile and link for i686 (nothing assumes the size of a pointer).
cmake -S "$root" -B "$ORVANE_BUILD-i686" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DORVANE_TESTS=OFF >/dev/null
cmake --build "$ORVANE_BUILD-i686" -j"$(nproc)"

"$root/scripts/wine-session.sh" ctest --test-dir "$ORVANE_BUILD" --output-on-failure "$@"
