#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Pelmo 2000 needs.
# Safe to run again: only packages that are missing are fetched.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libjpeg62-turbo-dev
  libsdl2-dev libsdl2-mixer-dev libfluidsynth-dev libglib2.0-dev timgm6mb-soundfont
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool imagemagick
  desktop-file-utils appstream openbox x11-utils x11-xserver-utils
  clang libclang-rt-14-dev
  fonts-dejavu-core fonts-liberation
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
