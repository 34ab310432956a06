# Helpers for the end-to-end checks of the real game binary on the (virtual) display.

# Under the sanitizer build the real binary is checked for memory errors but not for leaks:
# its shut-down unloads the GL driver, whose last allocations can no longer be attributed.
# Leaks are checked by the in-process suites, which run whole games and release them.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
# A test machine has no sound card: unless told otherwise, OpenAL Soft mixes into its null output.
export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}"

# A scratch directory to run the game from: assets/ linked in, config.toml optional.
make_run_dir() {
  local dir
  dir=$(mktemp -d)
  ln -s "$PWD/assets" "$dir/assets"
  echo "$dir"
}

# Waits up to $2 seconds for a window titled exactly $1; prints its id.
wait_for_window() {
  local name=$1 timeout=$2 id=""
  for _ in $(seq 1 $((timeout * 10))); do
    id=$(xdotool search --name "^${name}\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Waits up to $2 seconds for process $1 to end; returns its exit status (124 on timeout).
wait_for_exit() {
  local pid=$1 timeout=$2
  for _ in $(seq 1 $((timeout * 10))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      return $?
    fi
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null
  return 124
}

fail() { echo "FAIL: $*"; exit 1; }

# Presses Escape in window $1 and expects process $2 to end with status 0 within 30 s; otherwise
# shows the logs given after the first three arguments and fails, naming $3 (what was running).
quit_with_escape() {
  local window=$1 process=$2 what=$3
  shift 3
  xdotool key --window "$window" Escape
  wait_for_exit "$process" 30
  local status=$?
  [ "$status" -eq 0 ] || { cat "$@"; fail "exit status $status after Escape ($what)"; }
}

# The frame counts of the "N FPS (x ms)" lines of a console log, one per line.
fps_counts() { grep -E '^[0-9]+ FPS \(' "$1" | sed -E 's/ FPS.*//'; }

# Starts the game in run directory $1 with its console in $1/console.log and $1/errors.log;
# sets pid, log and id (its window).
start_game() {
  log="$1/console.log"
  (cd "$1" && exec "$binary" > "$log" 2> "$1/errors.log") &
  pid=$!
  wait_for_game_window "$1" || fail "no window titled Korvane"
}

# Waits for the window of the game started (as $pid) in run directory $1 and sets id to it. Now
# and then the shared virtual display refuses a connection while other checks open and close
# theirs: a game that ended saying so is started once more (pid then names the new one), as the
# player would; any other failure stands. Not in a subshell: it sets pid and id.
wait_for_game_window() {
  local dir=$1
  for attempt in 1 2; do
    if id=$(wait_for_window_of "$pid" Korvane 60); then
      return 0
    fi
    grep -q "Failed to open display" "$dir/errors.log" 2>/dev/null && [ "$attempt" -eq 1 ] || return 1
    echo "the display refused the game's connection; starting it once more" >&2
    sleep 1
    (cd "$dir" && exec "$binary" > "$dir/console.log" 2> "$dir/errors.log") &
    pid=$!
  done
  return 1
}

# As wait_for_window, but gives up as soon as process $1 has ended without a window.
wait_for_window_of() {
  local process=$1 name=$2 timeout=$3 id=""
  for _ in $(seq 1 $((timeout * 10))); do
    id=$(xdotool search --name "^${name}\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$process" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
