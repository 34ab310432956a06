#!/usr/bin/env bash
# Plays the real game under a virtual display and takes the README's screenshots:
# the start screen, a running game with enemies in view, and the collision view.
# Writes docs/start-screen.png, docs/running-game.png and docs/collision-view.png.
set -euo pipefail
source "$(dirname "$0")/common.sh"
build_release korvane
mkdir -p docs

if [ -z "${KORVANE_IN_XVFB:-}" ]; then
  exec env KORVANE_IN_XVFB=1 xvfb-run -a -s "-screen 0 1280x720x24" bash "$0" "$@"
fi

shot() { import -window "$id" "docs/$1.png"; echo "wrote docs/$1.png"; }

./build/korvane > /tmp/korvane-screenshots.log 2>&1 &
pid=$!
for _ in $(seq 1 300); do
  id=$(xdotool search --name '^Korvane$' 2>/dev/null | head -n 1) && [ -n "$id" ] && break
  sleep 0.1
done
sleep 2
shot start-screen
xdotool key --window "$id" space
# The first wave lands 20 s into the game, 10-20 units away; turn a little to look around.
sleep 24
xdotool mousemove --window "$id" 420 300
sleep 1
shot running-game
xdotool key --window "$id" F2
sleep 1
shot collision-view
xdotool key --window "$id" Escape
wait "$pid" || true
