#!/usr/bin/env bash
# Runs one test program under Wine for ctest (the toolchain's emulator).
#
# A test program prints as soon as it starts (the test framework flushes its first lines),
# so a run that ends in failure with no output at all never reached its tests: Wine
# itself lost the process while starting it, which has been seen, rarely, on a loaded
# machine (tests/support's CreateTestProcess meets the same inside a test). Such a run is
# started once more, and said so in the test's own output; when ORVANE_RESTARTS names a
# file, a line is added to it too, which scripts/test.sh counts at the end of the run. Any
# run that printed something stands as it is, pass or fail.
set -uo pipefail
log=$(mktemp) || exit 1
trap 'rm -f "$log"' EXIT

for attempt in 1 2; do
  wine "$@" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  if [ "$status" -eq 0 ] || [ -s "$log" ]; then break; fi
  echo "wine-test: Wine ended with status $status before the program printed anything (attempt $attempt)"
  if [ "$attempt" -eq 1 ] && [ -n "${ORVANE_RESTARTS:-}" ]; then
    # One short line in append mode: two tests running side by side cannot mix their lines.
    echo "$(basename "$1") ${*:2} (status $status)" >>"$ORVANE_RESTARTS"
  fi
done
exit "$status"
