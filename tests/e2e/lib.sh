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
  id=$(wait_for_window Korvane 60) || fail "no window titled Korvane"
}
