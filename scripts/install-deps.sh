#!/usr/bin/env bash
# Installs every Debian package that building, running and testing need. Idempotent:
# packages already present are skipped, so a second run costs a few seconds.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev libpixman-1-dev pkg-config
  g++-mingw-w64-x86-64 mingw-w64-tools
  wine wine64 libwine-dev xvfb xdotool x11-utils imagemagick fonts-ipafont-gothic
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
