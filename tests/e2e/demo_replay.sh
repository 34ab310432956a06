#!/usr/bin/env bash
# The committed demos (recorded on a release build at the 60 and the 30 FPS cap, in a 320 x 240
# window) replay on this build without desync, in a window of another size, against settings
# that would change the game and with the view keys pressed, and print the console lines of
# their recordings line for line.
# A demo whose settings were tampered with stops at its first checkpoint as a desync (status 3);
# files that are no demo, are cut short or of another format version are refused in one line
# with status 2, before any window opens. Names from a demo are printed escaped; a recording
# interrupted by a signal is still whole, and a second recorder cannot spoil it.
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

# Names and the game version from a demo reach the terminal only escaped: a recording whose
# player is called "ESC [2K CR FAKE!!" and whose version is "1 CR ESC [K" cannot print a line of its own.
perl -0777 -pe 's/GameObject0/\e[2K\rFAKE!!/; s/^(.{12})1\.0\.0/${1}1\r\e[K/s' "$demos/play30.kvd" > "$run/names.kvd"
(cd "$run" && exec "$binary" --timedemo names.kvd > names.log 2> errors.log)
status=$?
[ "$status" -eq 3 ] || { tail -n 3 "$run/names.log"; fail "renamed demo: status $status, not 3"; }
grep -qF 'object 1: expected \x1b[2K\x0dFAKE!!, found GameObject0 (recorded with Korvane 1\x0d\x1b[K)' "$run/names.log" ||
  { tail -n 2 "$run/names.log" | od -c | tail -n 5; fail "no desync line with the names escaped"; }
grep -q $'[\e\r]' "$run/names.log" && fail "a control character from the demo reached the console"

# Refusals: one line each, status 2, no window (--play too, unless there are frames to watch).
refused() {
  local file=$1 words=$2 mode=${3:---timedemo}
  (cd "$run" && exec "$binary" "$mode" "$file" > refused.log 2> errors.log)
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
head -c 40 "$demos/play60.kvd" > "$run/header.kvd"
refused header.kvd "cut short" --play
# Settings text nested far too deep for the parser, in place of the recording's [Controls].
perl -e 'binmode STDOUT; local $/; open my $f, "<:raw", $ARGV[0]; my $d = <$f>;
  my $deep = "a" . (".a" x 30000) . " = 1";
  print substr($d, 0, 17), pack("V", length $deep), $deep, substr($d, 21 + unpack("V", substr($d, 17, 4)))' \
  "$demos/play60.kvd" > "$run/deep.kvd"
refused deep.kvd "its settings are not valid" --play

# A recording ended by SIGINT or SIGTERM is whole: it replays to its end. A second game asked
# to record to the same file is told so and plays without recording, leaving the first one's alone.
record() { # $1 = demo, $2 = log
  (cd "$run" && exec "$binary" --record "$1" > "$2" 2>> errors.log) &
}
# Waits until the game logging to $1 has played a second.
played_a_second() {
  for _ in $(seq 1 600); do grep -qE '^[0-9]+ FPS' "$1" && return 0; sleep 0.1; done
  fail "no frame-rate line in $1"
}
: > "$run/errors.log"
record signalled.kvd first.log
first=$!
played_a_second "$run/first.log"
record signalled.kvd second.log
second=$!
for _ in $(seq 1 300); do grep -q "signalled.kvd" "$run/second.log" && break; sleep 0.1; done
grep -qx "Cannot record a demo to signalled.kvd: another game is recording to it; playing without recording" \
  "$run/second.log" || { cat "$run/second.log"; fail "the second recorder was not told the file is taken"; }
kill -TERM "$second"
wait_for_exit "$second" 30 || fail "the second game did not end cleanly on SIGTERM"
sleep 1
kill -INT "$first"
wait_for_exit "$first" 30 || { cat "$run/errors.log"; fail "the recording did not end cleanly on SIGINT"; }
grep -qx "Interrupted; the demo ends here" "$run/first.log" || { tail -n 3 "$run/first.log"; fail "no line on the interruption"; }
record terminated.kvd third.log
third=$!
played_a_second "$run/third.log"
kill -TERM "$third"
wait_for_exit "$third" 30 || fail "the recording did not end cleanly on SIGTERM"
grep -qx "Terminated; the demo ends here" "$run/third.log" || { tail -n 3 "$run/third.log"; fail "no line on the termination"; }
for demo in signalled terminated; do
  (cd "$run" && exec "$binary" --timedemo "$demo.kvd" > replay.log 2>> errors.log)
  status=$?
  [ "$status" -eq 0 ] || { tail -n 3 "$run/replay.log"; fail "$demo.kvd: replay status $status"; }
done
echo "both demos replay as recorded; damaged ones are refused; interrupted recordings are whole"
