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
# The pictures show a first start: the player's own settings and best game stay out of them.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data"
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

# The damage flash: taken as soon as the game reports the next touch of an enemy (the player is
# the world's first object), while the red rim still glows. Pausing would open the pause menu,
# which dims the picture, so the shots are taken from the running game.
touches=$(grep -c "^Damage GameObject0 by" "$log" || true)
for _ in $(seq 1 1500); do
  [ "$(grep -c "^Damage GameObject0 by" "$log" || true)" -gt "$touches" ] && break
  sleep 0.02
done
shot damage-flash

# The hit marker shows for a sixth of a second: pictures right behind a click; if the shot hit,
# the one that differs most round the crosshair from a picture before the click is kept, when the
# marker's lines clearly show in it; else turn a little and try again.
centre() { import -window "$id" -gravity center -crop 320x200+0+0 +repage "$1"; }
for _ in $(seq 1 120); do
  hits=$(grep -c "^Damage BasicEnemy" "$log" || true)
  centre /tmp/korvane-marker-before.png
  xdotool click --window "$id" 1
  for k in 1 2 3 4 5; do centre "/tmp/korvane-marker-$k.png"; done
  sleep 0.4
  if [ "$(grep -c "^Damage BasicEnemy" "$log" || true)" -gt "$hits" ]; then
    best=1 most=-1
    for k in 1 2 3 4 5; do
      changed=$(compare -metric AE -fuzz 10% -gravity center -crop 80x80+0+0 \
        /tmp/korvane-marker-before.png "/tmp/korvane-marker-$k.png" null: 2>&1 || true)
      changed=${changed%% *}
      if [ "${changed%.*}" -gt "$most" ]; then most=${changed%.*} best=$k; fi
    done
    if [ "$most" -gt 1500 ]; then
      convert "/tmp/korvane-marker-$best.png" -scale 200% docs/hit-marker.png
      echo "wrote docs/hit-marker.png"
      break
    fi
  fi
  xdotool mousemove_relative -- 40 0
  sleep 0.3
done
xdotool key --window "$id" Escape
wait "$pid" || true
