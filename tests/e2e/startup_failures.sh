#!/usr/bin/env bash
# Start-up failures the player can cause end with a clear message and status -1 (255).
set -u
binary=$1
source "$(dirname "$0")/lib.sh"

dir=$(make_run_dir)
printf '[Display]\nwidth = 0\n' > "$dir/config.toml"
(cd "$dir" && exec "$binary" > "$dir/console.log" 2> "$dir/errors.log") &
wait_for_exit $! 30
status=$?
[ "$status" -eq 255 ] || fail "expected status 255 for a zero-width window, got $status"
grep -qx "Failed to create window" "$dir/errors.log" || { cat "$dir/errors.log"; fail "no 'Failed to create window'"; }
grep -q "^GLFW Error " "$dir/errors.log" || fail "the windowing library's reason was not reported"

# A negative size is refused like a zero one, not by an assertion inside the windowing library.
dir=$(make_run_dir)
printf '[Display]\nheight = -5\n' > "$dir/config.toml"
(cd "$dir" && exec "$binary" > "$dir/console.log" 2> "$dir/errors.log") &
wait_for_exit $! 30
status=$?
[ "$status" -eq 255 ] || { cat "$dir/errors.log"; fail "expected status 255 for a negative height, got $status"; }
grep -qx "Window size 800 x -5 cannot be used: width and height must be at least 1" "$dir/errors.log" ||
  { cat "$dir/errors.log"; fail "no reason given for the negative height"; }
grep -qx "Failed to create window" "$dir/errors.log" || fail "no 'Failed to create window' for a negative height"

dir=$(make_run_dir)
(cd "$dir" && DISPLAY=:9999 exec "$binary" > "$dir/console.log" 2> "$dir/errors.log") &
wait_for_exit $! 30
status=$?
[ "$status" -eq 255 ] || fail "expected status 255 without a display, got $status"
grep -qx "Failed to initialize GLFW" "$dir/errors.log" || { cat "$dir/errors.log"; fail "no 'Failed to initialize GLFW'"; }

echo "PASS"
