#!/usr/bin/env bash
# Installs the Debian packages the build needs (when missing), then
# configures and builds. Usage: scripts/setup.sh [BUILD_DIR [CMAKE_ARGS...]]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
shift || true

packages=(g++ make cmake libgtest-dev libgmock-dev clang libclang-rt-14-dev lld jq pkg-config qt6-base-dev qt6-svg-dev
          socat desktop-file-utils appstream dpkg-dev file groff-base man-db)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

cmake -S "$root" -B "$build" -G "Unix Makefiles" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
