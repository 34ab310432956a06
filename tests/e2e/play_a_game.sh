#!/usr/bin/env bash
# A player's first seconds with the real binary: Space starts the game, the mouse turns the
# view down to the floor, a click there is a shot at the level, Escape quits with status 0.
set -u
binary=$1
source "$(dirname "$0")/lib.sh"

dir=$(make_run_dir)
start_game "$dir"
sleep 2
xdotool key --window "$id" space
sleep 2
import -window root "$dir/before.png"
# Pull the view down towards the floor in a few moves (each frame recentres the cursor). The
# moves are relative, as a mouse makes them: with raw mouse input (on by default) a jump of the
# pointer to a place is no motion at all.
for _ in 1 2 3 4 5; do
  xdotool mousemove_relative -- 0 120
  sleep 0.3
done
import -window root "$dir/after.png"
xdotool click --window "$id" 1
sleep 1
quit_with_escape "$id" "$pid" "a game played" "$log" "$dir/errors.log"
grep -qx "Level hit" "$log" || { cat "$log"; fail "a click at the floor did not hit the level"; }
# The view turned: the two pictures differ.
difference=$(compare -metric AE "$dir/before.png" "$dir/after.png" null: 2>&1 | cut -d' ' -f1)
[ "${difference%.*}" -gt 1000 ] || fail "mouse motion did not turn the view ($difference pixels changed)"
echo "PASS"
