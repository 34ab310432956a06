#!/usr/bin/env bash
# The process in unusual surroundings: standard streams closed at start, a console reader that
# goes away, and a frame cap so low that no frame is ever due. Each still answers Escape.
set -u
binary=$1
source "$(dirname "$0")/lib.sh"

# Standard output closed: the game must not write its console lines into the
# display connection that would take its number once the settings file is closed again.
dir=$(make_run_dir)
printf '[Display]\nwidth = 800\n' > "$dir/config.toml"
(cd "$dir" && exec "$binary" >&- 2> "$dir/errors.log") &
pid=$!
id=$(wait_for_window Korvane 60) || fail "no window with standard output closed"
sleep 1
quit_with_escape "$id" "$pid" "standard output closed" "$dir/errors.log"

# A console reader that leaves after two lines: the game keeps running and quits normally.
dir=$(make_run_dir)
fifo="$dir/console"
mkfifo "$fifo"
head -n 2 < "$fifo" > "$dir/first-lines.txt" &
reader=$!
(cd "$dir" && exec "$binary" > "$fifo" 2> "$dir/errors.log") &
pid=$!
id=$(wait_for_window Korvane 60) || fail "no window with a pipe as the console"
wait "$reader"
# The F3 key writes nothing, but every second brings a frame-rate line into the closed pipe.
sleep 3
kill -0 "$pid" 2>/dev/null || { cat "$dir/errors.log"; fail "the game ended when its console reader went away"; }
quit_with_escape "$id" "$pid" "console reader gone" "$dir/errors.log"
[ "$(wc -l < "$dir/first-lines.txt")" -eq 2 ] || fail "the reader did not get the first two lines"

# A cap of 1e-45 frames a second: no frame is ever due, but the window is read while waiting.
dir=$(make_run_dir)
printf '[Display]\nmaxFPS = 1e-45\n' > "$dir/config.toml"
start_game "$dir"
sleep 1
quit_with_escape "$id" "$pid" "a frame cap of 1e-45" "$log" "$dir/errors.log"

echo "PASS"
