#!/usr/bin/env bash
# Builds the release game and packs it as a Debian package in build/ (korvane_<version>_<arch>.deb).
# Its dependencies are read off the shared libraries the binary links (GLFW, GLEW, FreeType,
# Bullet, the GL and C++ runtimes). Install it with: sudo apt install ./build/korvane_*.deb
set -euo pipefail
source "$(dirname "$0")/common.sh"
build_release korvane korvane_icon
(cd build && cpack -G DEB > /dev/null)
deb=$(ls -t build/korvane_*.deb | head -n 1)
echo "wrote $deb"
dpkg-deb --field "$deb" Depends
