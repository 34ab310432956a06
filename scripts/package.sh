#!/usr/bin/env bash
# Builds the release game with Debian's layout in build-deb/ and packs it as
# build-deb/korvane_<version>_<arch>.deb: the executable in /usr/games, the assets in
# /usr/share/korvane, the menu entry, the manual page and the software-centre listing. Its
# dependencies are read off the shared libraries the binary links (GLFW, GLEW, FreeType, Bullet,
# the GL and C++ runtimes). lintian then checks it: an error or a warning fails the script.
# The Maintainer is the project's address unless DEBFULLNAME and DEBEMAIL name the packager.
# Install it with: sudo apt install ./build-deb/korvane_*.deb
set -euo pipefail
source "$(dirname "$0")/common.sh"
bash scripts/setup.sh lintian
maintainer=(-UKORVANE_MAINTAINER)
if [ -n "${DEBEMAIL:-}" ]; then
  maintainer=(-DKORVANE_MAINTAINER="${DEBFULLNAME:-$DEBEMAIL} <$DEBEMAIL>")
fi
# Debian's hardened compiler and linker flags (stack protector, fortified string functions,
# read-only relocations bound at start), as a Debian build gets them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
# A tree of its own: a packaging build must not move the executable of build/'s installs.
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_TESTS=OFF \
  -DKORVANE_BENCHMARK=OFF -DCMAKE_INSTALL_BINDIR=games "${maintainer[@]}" \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" > /dev/null
cmake --build build-deb
rm -f build-deb/korvane_*.deb
(cd build-deb && cpack -G DEB > /dev/null)
deb=$(ls build-deb/korvane_*.deb)
echo "wrote $deb"
dpkg-deb --field "$deb" Depends
lintian --display-info --fail-on error,warning "$deb"
