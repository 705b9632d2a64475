#!/usr/bin/env bash
# Builds the system, then draws every dialog template of Brenvik in the Wine session and
# writes one picture per template as $ORVANE_BUILD/gallery/<id>.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
: "${ORVANE_BUILD:=$root/build}"
export ORVANE_BUILD
"$root/scripts/setup.sh"

out="$ORVANE_BUILD/gallery"
rm -rf "$out"
mkdir -p "$out"
# Wine's drive Z: is the Linux root.
timeout 120 "$root/scripts/wine-session.sh" wine "$ORVANE_BUILD/bin/gallery.exe" "Z:${out//\//\\}"
for bmp in "$out"/*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png"
  rm "$bmp"
done
echo "gallery: $(ls "$out" | wc -l) pictures in $out"
