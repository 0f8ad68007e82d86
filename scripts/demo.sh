#!/usr/bin/env bash
# Builds everything and runs the program on the built-in emulated device,
# with an upgrade file for it beside the build.
# Usage: scripts/demo.sh [q20|q30|q30-usb]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh" "$root/build-release" -DCMAKE_BUILD_TYPE=Release -DQUILLON_TESTS=OFF
model="${1:-q30}"
# An upgrade file for the demo device (one version newer), to try Extras >
# "Installing an upgrade" with.
case "$model" in
  q20) extension=q20 ;;
  q30-usb) extension=q3u ;;
  *) extension=q30 ;;
esac
rom="$root/build-release/demo-upgrade-1.3.5.$extension"
"$root/build-release/sim/q30sim" --model "$model" --firmware 1.3.5 --write-rom "$rom"
echo "An upgrade file to try with Extras > \"Installing an upgrade\": $rom"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display to show the program on; showing what it finds through quillon-cli instead."
  exec "$root/build-release/cli/quillon-cli" --demo "$model" find
fi
exec "$root/build-release/gui/quillon" --demo "$model"
