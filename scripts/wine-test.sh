#!/usr/bin/env bash
# Runs one test program under Wine for ctest (the toolchain's emulator).
#
# A test program prints as soon as it starts (the test framework flushes its first lines),
# so a run that ends in failure with no output at all never reached its tests: Wine
# itself lost the process while starting it, which has been seen, rarely, on a loaded
# machine (tests/support's CreateTestProcess meets the same inside a test). Such a run is
# reported and started once more. Any run that printed something stands as it is, pass or
# fail.
set -uo pipefail
log=$(mktemp) || exit 1
trap 'rm -f "$log"' EXIT

for attempt in 1 2; do
  wine "$@" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  if [ "$status" -eq 0 ] || [ -s "$log" ]; then break; fi
  echo "wine-test: Wine ended with status $status before the program printed anything (attempt $attempt)"
done
exit "$status"
