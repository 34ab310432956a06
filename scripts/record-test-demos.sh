#!/usr/bin/env bash
# Re-records the two demos the test suite replays (tests/demos/), after a deliberate change of
# gameplay has made the old ones desync. Plays the release build of the game under a virtual
# display with xdotool: a game of about 90 seconds with walking, shots, kills, contact damage,
# a health orb, a walk off the open east edge and the next game, once at the 60 FPS cap and
# once at 30. Takes about four minutes. Run from the repository root:
#
#   scripts/record-test-demos.sh            # both demos
#   scripts/record-test-demos.sh play30     # one of them (play60 or play30)
#
# KORVANE_DEMO_BINARY=path records with another build of the game (to check that a demo replays
# across builds) and KORVANE_DEMO_OUT=dir writes the demos there instead.
set -euo pipefail

root=$(pwd)
if [ -z "${KORVANE_DEMO_BINARY:-}" ]; then
  build="$root/build"
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_TESTS=OFF > /dev/null
  cmake --build "$build" --target korvane
fi
binary="${KORVANE_DEMO_BINARY:-$root/build/korvane}"
out="${KORVANE_DEMO_OUT:-$root/tests/demos}"
mkdir -p "$out"

if [ -z "${KORVANE_RECORDING_DISPLAY:-}" ]; then
  # Once more inside a virtual display of our own, where the pointer belongs to the game alone.
  exec env KORVANE_RECORDING_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x720x24" "$0" "$@"
fi
export LIBGL_ALWAYS_SOFTWARE=1 ALSOFT_DRIVERS=null

# Turns the view by $1 pixels of mouse travel (positive: to the right), in small moves so that
# no single frame sees more than the window can hold.
turn() {
  local left=$1 step
  while [ "$left" -ne 0 ]; do
    step=$(( left > 40 ? 40 : (left < -40 ? -40 : left) ))
    xdotool mousemove_relative -- "$step" 0
    left=$(( left - step ))
    sleep 0.05
  done
}
pitch() { xdotool mousemove_relative -- 0 "$1"; sleep 0.1; }
hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }
fire() { local n=$1; for _ in $(seq "$n"); do xdotool click 1; sleep 0.12; done; }

# A full turn is 2 pi / 0.0015 rad per pixel = 4189 pixels.
play_one_game() {
  xdotool key space                 # start the first game, facing the orb at (0, 0, 15)
  sleep 1
  fire 3                            # shots at the floor and walls while the arena is empty
  hold w 0.6; hold s 0.6
  sleep 21                          # the first wave drops in and rolls up
  pitch 250                         # look down at the balls around our feet
  for _ in $(seq 24); do            # round and round, shooting whatever is there
    fire 3
    turn 175
  done
  pitch -250
  sleep 1
  hold w 1.6                        # onto the orb at (0, 0, 15): health back after the hits
  sleep 0.5
  turn -1047                        # face east, across the open edge
  hold w 7                          # and walk off it: the fall ends the game, the next starts
  sleep 4
  fire 4
  hold d 1.0; hold a 1.0
  sleep 6
}

record() {
  local name=$1 fps=$2 run
  run=$(mktemp -d)
  ln -s "$root/assets" "$run/assets"
  cat > "$run/config.toml" <<TOML
[Display]
width = 320
height = 240
maxFPS = $fps

[Controls]
mouseSensitivity = 1.0
acceleration = 100.0
maxSpeed = 10.0

[Physics]
gravity = 25.0
TOML
  (cd "$run" && exec "$binary" --record "$out/$name.kvd" > "$out/$name.log" 2> "$run/errors.log") &
  local pid=$!
  local id=""
  for _ in $(seq 100); do
    id=$(xdotool search --name '^Korvane$' 2> /dev/null | head -n 1) && [ -n "$id" ] && break
    sleep 0.1
  done
  [ -n "$id" ] || { echo "no game window"; cat "$run/errors.log"; exit 1; }
  xdotool mousemove --window "$id" 160 120
  sleep 2
  play_one_game
  xdotool key Escape
  wait "$pid"
  rm -rf "$run"
  echo "$name: $(stat -c %s "$out/$name.kvd") bytes," \
    "$(grep -c '^Destroying BasicEnemy' "$out/$name.log" || true) kills," \
    "$(grep -c '^Damage GameObject0' "$out/$name.log" || true) hits taken," \
    "$(grep -c "^Damage Pickup" "$out/$name.log" || true) orbs used," \
    "$(grep -c '^Player destroyed' "$out/$name.log" || true) deaths"
}

case "${1:-all}" in
  play60) record play60 60 ;;
  play30) record play30 30 ;;
  all) record play60 60; record play30 30 ;;
  *) echo "usage: $0 [play60|play30]"; exit 2 ;;
esac
