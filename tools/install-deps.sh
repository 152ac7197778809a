#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing need. Safe to run
# again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build clang libclang-rt-14-dev
  googletest libgtest-dev libbenchmark-dev libopencv-dev time
  mingw-w64 g++-mingw-w64-x86-64-posix
  wine wine64 xvfb xserver-xephyr xdotool x11-utils fonts-wqy-microhei
  cups printer-driver-cups-pdf poppler-utils
  imagemagick zip unzip
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
