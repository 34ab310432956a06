#!/usr/bin/env bash
# The long soak: many consecutive games (default 200) played in simulated time under the
# sanitizer build, checking after every game start that objects, lights, collision shapes,
# GL buffers and textures and memory return to their steady level, and that nothing leaks.
#   scripts/soak.sh [games]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

bash scripts/setup.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON -DKORVANE_TESTS=ON > /dev/null
cmake --build build-test --target korvane_gl_tests

export KORVANE_SOAK_GAMES="${1:-200}"
export LIBGL_ALWAYS_SOFTWARE=1
export ASAN_OPTIONS="detect_leaks=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
echo "Soaking $KORVANE_SOAK_GAMES games..."
xvfb-run -a -s "-screen 0 1280x720x24" ./build-test/tests/korvane_gl_tests --gtest_filter='SoakTest.*'
