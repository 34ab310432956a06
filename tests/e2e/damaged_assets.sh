#!/usr/bin/env bash
# Missing or damaged assets, one kind at a time, and no sound device: the game says what is
# wrong on one line and carries on, except for a mesh it cannot read, which ends it with status 1.
set -u
binary=$1
source "$(dirname "$0")/lib.sh"

# A run directory with a private copy of the assets to damage.
copy_assets() {
  local dir
  dir=$(mktemp -d)
  cp -r "$PWD/assets" "$dir/assets"
  echo "$dir"
}

# Runs the game for a few seconds, then Escape; expects status 0.
runs_on() { # $1 = dir
  (cd "$1" && exec "$binary" > "$1/console.log" 2> "$1/errors.log") &
  local pid=$! id
  id=$(wait_for_window Korvane 60) || fail "no window in $1"
  sleep 3
  xdotool key --window "$id" space
  sleep 2
  quit_with_escape "$id" "$pid" "$2" "$1/console.log" "$1/errors.log"
}

dir=$(copy_assets)
rm "$dir/assets/shaders/basic.frag"
runs_on "$dir" "a missing shader"
grep -qi "error" "$dir/console.log" || fail "a missing shader printed no compile log"

dir=$(copy_assets)
rm "$dir/assets/fonts/Zekton.otf"
runs_on "$dir" "a missing font"
grep -qx "ERROR::FREETYPE: Failed to load font" "$dir/console.log" || fail "no font message"

dir=$(copy_assets)
echo "not a picture" > "$dir/assets/textures/gun_albedo.jpg"
runs_on "$dir" "a damaged texture"
grep -q "assets/textures/gun_albedo.jpg" "$dir/console.log" || fail "the damaged texture was not named"

dir=$(copy_assets)
echo "not a sound" > "$dir/assets/sounds/shot.wav"
runs_on "$dir" "a damaged sound"
[ "$(grep -c "assets/sounds/shot.wav" "$dir/console.log")" -eq 1 ] || fail "the damaged sound was not named once"

# No sound device at all (no backend OpenAL Soft knows): one line, then a silent game.
dir=$(make_run_dir)
ALSOFT_DRIVERS=no-such-output runs_on "$dir" "no sound device"
[ "$(grep -c "^Audio unavailable: " "$dir/console.log")" -eq 1 ] || { cat "$dir/console.log"; fail "no single 'Audio unavailable' line"; }

dir=$(copy_assets)
rm "$dir/assets/models/gun.obj"
(cd "$dir" && exec "$binary" > "$dir/console.log" 2> "$dir/errors.log") &
wait_for_exit $! 60
status=$?
[ "$status" -eq 1 ] || fail "a missing mesh should end the game with status 1, got $status"
grep -q "^TinyObjReader: " "$dir/errors.log" || fail "no TinyObjReader line"

echo "PASS"
