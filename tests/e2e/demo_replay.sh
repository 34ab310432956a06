#!/usr/bin/env bash
# The committed demos (recorded on a release build at the 60 and the 30 FPS cap, in a 320 x 240
# window) replay on this build without desync, in a window of another size, against settings
# that would change the game and with the view keys pressed, and print the console lines of
# their recordings line for line.
# A demo whose settings were tampered with stops at its first checkpoint as a desync (status 3);
# files that are no demo, are cut short or of another format version are refused in one line
# with status 2, before any window opens.
set -u
binary=$1
source "$(dirname "$0")/lib.sh"
demos="$PWD/tests/demos"
run=$(make_run_dir)
trap 'rm -rf "$run"' EXIT
# The demo's own simulation settings must win over these; the window is the viewer's.
cat > "$run/config.toml" <<'TOML'
[Display]
width = 96
height = 72

[Controls]
maxSpeed = 2.0

[Physics]
gravity = 3.0
TOML

# Game lines only: the frame-rate readouts and how the picture is drawn depend on the machine.
game_lines() { grep -vE '^[0-9]+ FPS \(|^Dropped [0-9.]+ s of game time|^Rendering: |^Render scale ' "$1"; }

for demo in play60 play30; do
  log="$run/$demo.log"
  (cd "$run" && exec "$binary" --timedemo "$demos/$demo.kvd" > "$log" 2> "$run/errors.log") &
  pid=$!
  if [ "$demo" = play30 ]; then
    # The viewer's keys change only the view: the collision wireframe, the text, the window's
    # size (and with it the projection) come and go while the replay must stay in step. Live
    # walking and shooting are ignored.
    id=$(wait_for_window Korvane 60) || fail "no window for the replay"
    for key in F2 F3 w F1 space F2 F3 F1 s; do
      kill -0 "$pid" 2> /dev/null || break
      xdotool key --window "$id" "$key" 2> /dev/null
      xdotool click --window "$id" 1 2> /dev/null
      sleep 0.7
    done
  fi
  wait_for_exit "$pid" 280
  status=$?
  [ "$status" -eq 0 ] || { tail -n 5 "$log"; cat "$run/errors.log"; fail "$demo: status $status"; }
  tail -n 1 "$log" | grep -qE '^[0-9]+ frames, [0-9.]+ s, [0-9.]+ FPS; frame ms min [0-9.]+ / median [0-9.]+ / p95 [0-9.]+ / max [0-9.]+$' ||
    fail "$demo: no timedemo line at the end: $(tail -n 1 "$log")"
  echo "$demo: $(tail -n 1 "$log")"
  diff <(game_lines "$demos/$demo.log") <(game_lines "$log" | sed '$d') > "$run/diff.txt" ||
    { head -n 20 "$run/diff.txt"; fail "$demo: the replay's console lines differ from the recording's"; }
done

# Another gravity written into the demo: the player falls differently once the game starts.
perl -pe 's/gravity = 25\.0/gravity = 24.0/' "$demos/play30.kvd" > "$run/tampered.kvd"
cmp -s "$demos/play30.kvd" "$run/tampered.kvd" && fail "the demo holds no gravity setting to change"
(cd "$run" && exec "$binary" --timedemo tampered.kvd > tampered.log 2> errors.log)
status=$?
[ "$status" -eq 3 ] || { tail -n 5 "$run/tampered.log"; fail "tampered demo: status $status, not 3"; }
grep -qE '^Demo desync at frame [0-9]+ \(game time 0:0[0-9]\): GameObject0 position y: expected [-0-9.e]+, found [-0-9.e]+$' \
  "$run/tampered.log" || { tail -n 3 "$run/tampered.log"; fail "no desync line naming the player's height"; }

# Refusals: one line each, status 2, no window.
refused() {
  local file=$1 words=$2
  (cd "$run" && exec "$binary" --timedemo "$file" > refused.log 2> errors.log)
  local status=$?
  [ "$status" -eq 2 ] || fail "$file: status $status, not 2"
  [ "$(wc -l < "$run/refused.log")" -eq 1 ] || { cat "$run/refused.log"; fail "$file: not one line"; }
  grep -q "$words" "$run/refused.log" || { cat "$run/refused.log"; fail "$file: no '$words'"; }
}
printf 'not a demo at all\n' > "$run/text.kvd"
refused text.kvd "is not a Korvane demo"
head -c 3000 "$demos/play60.kvd" > "$run/cut.kvd"
refused cut.kvd "cut short"
{ head -c 8 "$demos/play60.kvd"; printf '\x07\x00'; tail -c +11 "$demos/play60.kvd"; } > "$run/version.kvd"
refused version.kvd "format version 7"
refused missing.kvd "Cannot read demo"
echo "both demos replay as recorded; damaged ones are refused"
