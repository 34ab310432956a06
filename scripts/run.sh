#!/usr/bin/env bash
# Builds Korvane (incrementally) and starts it from the repository root.
# Without a display it runs the game under a virtual one (Xvfb).
set -euo pipefail
source "$(dirname "$0")/common.sh"
build_release korvane

if [ -z "${DISPLAY:-}" ]; then
  echo "No DISPLAY: running Korvane under a virtual display (Xvfb, 1280x720)."
  exec xvfb-run -a -s "-screen 0 1280x720x24" ./build/korvane
fi
exec ./build/korvane
