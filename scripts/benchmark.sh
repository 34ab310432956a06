#!/usr/bin/env bash
# Builds and runs the performance benchmark: the real game through scripted scenes at
# 800x600 and 1920x1080 with the frame cap off, next to the floor of an empty frame.
# Uses the current display, or a virtual one (Xvfb, Mesa's software renderer) without it.
set -euo pipefail
source "$(dirname "$0")/common.sh"
build_release korvane_benchmark

# The tables below are Markdown, ready to paste into docs/performance.md; this line says where they came from.
echo "Run on $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores ($(lscpu | sed -n 's/^Model name: *//p')), load average $(cut -d' ' -f1-3 /proc/loadavg)."

if [ -z "${DISPLAY:-}" ]; then
  echo "No DISPLAY: benchmarking under a virtual display (Xvfb, 1920x1080)."
  exec xvfb-run -a -s "-screen 0 1920x1080x24" ./build/korvane_benchmark
fi
exec ./build/korvane_benchmark
