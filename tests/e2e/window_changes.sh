#!/usr/bin/env bash
# The window resized again and again, shrunk to a sliver, maximised and restored with F1: the
# game keeps running and drawing, and still closes with status 0. A configured size larger
# than the screen is fitted to it and plays the same.
set -u
binary=$1
source "$(dirname "$0")/lib.sh"

dir=$(make_run_dir)
start_game "$dir"
sleep 1
xdotool key --window "$id" space
for size in "1024 700" "640 480" "1 1" "1200 300" "300 900" "800 600"; do
  xdotool windowsize "$id" $size
  sleep 0.4
done
for _ in 1 2 3; do
  xdotool key --window "$id" F1
  sleep 0.4
done
sleep 1.5
kill -0 "$pid" 2>/dev/null || { cat "$log" "$dir/errors.log"; fail "the game died while its window changed"; }
before=$(grep -c " FPS (" "$log")
sleep 2
after=$(grep -c " FPS (" "$log")
[ "$after" -gt "$before" ] || fail "the frame loop stopped after the window changes"
quit_with_escape "$id" "$pid" "after the window changes" "$log" "$dir/errors.log"

dir=$(make_run_dir)
printf '[Display]\nwidth = 100000\nheight = 100000\n' > "$dir/config.toml"
start_game "$dir"
read -r screen_width screen_height < <(xdotool getdisplaygeometry)
grep -qx "Window size 100000 x 100000 is larger than the screen; using $screen_width x $screen_height" "$log" ||
  { cat "$log"; fail "no line saying the window was fitted to the $screen_width x $screen_height screen"; }
eval "$(xdotool getwindowgeometry --shell "$id")"
[ "$WIDTH" -le "$screen_width" ] && [ "$HEIGHT" -le "$screen_height" ] || fail "window is $WIDTH x $HEIGHT"
sleep 3
xdotool key --window "$id" space
sleep 1
quit_with_escape "$id" "$pid" "an oversized window" "$log" "$dir/errors.log"
[ "$(fps_counts "$log" | grep -c .)" -ge 2 ] || { cat "$log"; fail "the fitted window drew no frames"; }
echo "PASS"
