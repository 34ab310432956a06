#!/usr/bin/env bash
# Builds Korvane with the address and undefined-behaviour sanitizers and runs the whole
# suite with ctest under a virtual display, on Mesa's software OpenGL.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

bash scripts/setup.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON -DKORVANE_TESTS=ON > /dev/null
cmake --build build-test

export LIBGL_ALWAYS_SOFTWARE=1
export GALLIUM_DRIVER=llvmpipe
# No sound card on a test machine: OpenAL Soft mixes into its null output, so playback still runs.
export ALSOFT_DRIVERS=null
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
xvfb-run -a -s "-screen 0 1280x720x24" \
  ctest --test-dir build-test --output-on-failure -j2 "$@"
