#!/usr/bin/env bash
# fresh_prefix_test.sh BUILD - the setup program on a Wine prefix that has never seen
# Orvane: a copy of a prepared prefix (made once, from scratch, and never used itself) runs
# setup_test.exe in two sessions, each with a display of its own. The first session installs;
# the second is the next logon (the tray program must start by itself), then upgrades and
# uninstalls. The copy is removed at the end.
set -euo pipefail
build=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
template=$build/setup-template-prefix
fresh=$build/setup-fresh-prefix
test_exe=$build/bin/setup_test.exe

# A session of the given prefix, apart from the session that runs this script.
session() {
  local prefix=$1; shift
  env -u ORVANE_SESSION -u DISPLAY ORVANE_BUILD="$build" ORVANE_PREFIX="$prefix" \
    "$root/scripts/wine-session.sh" "$@"
}

# Waits until no Wine process of the prefix is left (its server ends with its last one).
prefix_gone() {
  WINEPREFIX=$1 wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX=$1 wineserver -w >/dev/null 2>&1 || true
}

if [ ! -f "$template/.orvane-ready" ]; then
  session "$template" true
fi
# The template is only copied: nothing of it may still run (or still be writing its
# registry) while it is copied, nor after this test.
prefix_gone "$template"
rm -rf "$fresh"
cp -a "$template" "$fresh"
trap 'prefix_gone "$fresh"; rm -rf "$fresh"' EXIT

echo "== first session: silent installation"
session "$fresh" wine "$test_exe" --gtest_filter=SetupTest.InstallsIntoFreshPrefix
echo "== next logon: working system, upgrade, uninstall"
session "$fresh" wine "$test_exe" \
  --gtest_filter='SetupTest.WorksAfterLogon:SetupTest.UpgradeKeepsAssignments:SetupTest.UninstallLeavesNothing'
