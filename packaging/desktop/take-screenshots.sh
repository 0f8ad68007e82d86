#!/usr/bin/env bash
# Refreshes the screenshots named in the AppStream metainfo from a build:
# the program takes its own pictures of the emulated device (--demo), with a
# fresh configuration folder so that no user settings show.
# Usage: take-screenshots.sh [BUILD_DIR]   (default: the build folder beside the sources)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build}
program=$build/gui/quillon
[ -x "$program" ] || { echo "no program at $program: build the target quillon first" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
QT_QPA_PLATFORM=offscreen "$program" --demo --config-dir "$work/config" --screenshot "$work/shots" >"$work/log" 2>&1 \
  || { cat "$work/log" >&2; exit 1; }

# Picture the program writes -> name in the metainfo. Dialog pictures are
# named by window id: 861 is "Monitor Mode".
shots=(
  page1-en.png:call-acceptance.png
  page7-en.png:charges.png
  dialog861-en.png:monitor-mode.png
  page0-de.png:msn-german.png
)
mkdir -p "$here/screenshots"
for pair in "${shots[@]}"; do
  cp "$work/shots/${pair%%:*}" "$here/screenshots/${pair##*:}"
done
echo "screenshots refreshed in $here/screenshots"
