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

dir=$(make_run_dir)
(cd "$dir" && DISPLAY=:9999 exec "$binary" > "$dir/console.log" 2> "$dir/errors.log") &
wait_for_exit $! 30
status=$?
[ "$status" -eq 255 ] || fail "expected status 255 without a display, got $status"
grep -qx "Failed to initialize GLFW" "$dir/errors.log" || { cat "$dir/errors.log"; fail "no 'Failed to initialize GLFW'"; }

echo "PASS"
