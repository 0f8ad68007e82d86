#!/usr/bin/env bash
# Builds everything and runs the program on the built-in emulated device.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh" "$root/build-release" -DCMAKE_BUILD_TYPE=Release -DQUILLON_TESTS=OFF
exec "$root/build-release/cli/quillon-cli" --demo "${1:-q30}" find
