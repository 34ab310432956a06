#!/usr/bin/env bash
# Plays the real game under a virtual display and takes the README's screenshots (in docs/):
# the start screen, a running game with enemies in view, the collision view, the damage flash
# and the hit marker. Writes docs/start-screen.png, docs/running-game.png,
# docs/collision-view.png, docs/damage-flash.png and docs/hit-marker.png.
set -euo pipefail
source "$(dirname "$0")/common.sh"
build_release korvane
mkdir -p docs

if [ -z "${KORVANE_IN_XVFB:-}" ]; then
  exec env KORVANE_IN_XVFB=1 xvfb-run -a -s "-screen 0 1280x720x24" bash "$0" "$@"
fi

shot() { import -window "$id" "docs/$1.png"; echo "wrote docs/$1.png"; }

log=/tmp/korvane-screenshots.log
./build/korvane > "$log" 2>&1 &
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
xdotool mousemove_relative -- 20 0
sleep 1
shot running-game
xdotool key --window "$id" F2
sleep 1
shot collision-view
xdotool key --window "$id" F2

# The damage flash: paused as soon as the game reports the first touch of an enemy (the player
# is the world's first object), while the red rim still glows; the screen text is hidden (F3)
# for the picture, so that "Paused" does not cover it.
for _ in $(seq 1 1500); do
  grep -q "^Damage GameObject0 by" "$log" && break
  sleep 0.02
done
xdotool key --window "$id" p
sleep 1
xdotool key --window "$id" F3
sleep 1
shot damage-flash
xdotool key --window "$id" F3 p

# The hit marker: a click with P right behind it, so the frame that shows the marker holds still;
# if the shot missed, resume, turn a little and try again. The close-up leaves "Paused" out.
hits=$(grep -c "^Damage BasicEnemy" "$log" || true)
for _ in $(seq 1 120); do
  xdotool click --window "$id" 1 key --window "$id" p
  sleep 0.5
  if [ "$(grep -c "^Damage BasicEnemy" "$log" || true)" -gt "$hits" ]; then
    import -window "$id" -gravity center -crop 320x200+0+0 +repage docs/hit-marker.png
    convert docs/hit-marker.png -scale 200% docs/hit-marker.png
    echo "wrote docs/hit-marker.png"
    break
  fi
  xdotool key --window "$id" p
  xdotool mousemove_relative -- 40 0
  sleep 0.3
done
xdotool key --window "$id" Escape
wait "$pid" || true
