#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Korvane needs.
# Quick when everything is already there: only missing packages are fetched. Packages named as
# arguments are added to the list (scripts/package.sh asks for lintian).
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config ninja-build
  libglfw3-dev libglew-dev libfreetype-dev libbullet-dev libtomlplusplus-dev
  libtinyobjloader-dev libstb-dev libgtest-dev libopenal-dev libopenal1 libsndfile1-dev
  libgl1-mesa-dri libglx-mesa0 mesa-utils
  xvfb xauth xdotool x11-utils imagemagick
  desktop-file-utils dpkg-dev
  appstream groff-base
  clang libclang-rt-14-dev
)
PACKAGES+=("$@")

missing=()
for pkg in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
