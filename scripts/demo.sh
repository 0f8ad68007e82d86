#!/usr/bin/env bash
# Builds everything and runs the program on the built-in emulated device.
# Usage: scripts/demo.sh [q20|q30|q30-usb]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh" "$root/build-release" -DCMAKE_BUILD_TYPE=Release -DQUILLON_TESTS=OFF
model="${1:-q30}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display to show the program on; showing what it finds through quillon-cli instead."
  exec "$root/build-release/cli/quillon-cli" --demo "$model" find
fi
exec "$root/build-release/gui/quillon" --demo "$model"
