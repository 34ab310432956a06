#!/usr/bin/env bash
# The game as a player installs it: cmake --install into a temporary prefix puts every file where
# it belongs (a menu entry that starts the installed binary, a valid software-centre listing and a
# changelog whose newest release is the game's version); then the installed binary started from
# another directory finds its assets and the user's settings, draws its start screen and quits on
# Escape; the options answer without a window; and an install that lost its assets says where it
# looked and ends with status 1 before any window.
set -u
binary=$1
source "$(dirname "$0")/lib.sh"
build=$(dirname "$binary")
[ -f "$build/CMakeCache.txt" ] || fail "no build tree at $build"

prefix=$(mktemp -d)
away=$(mktemp -d)
trap 'rm -rf "$prefix" "$away"' EXIT
cmake --install "$build" --prefix "$prefix" > "$prefix/install.log" || { cat "$prefix/install.log"; fail "install"; }
game="$prefix/bin/korvane"
for file in bin/korvane share/korvane/assets/korvane-assets.txt share/korvane/assets/shaders/basic.vert \
    share/korvane/assets/fonts/Zekton.otf share/korvane/assets/sounds/shot.wav share/applications/korvane.desktop \
    share/icons/hicolor/256x256/apps/korvane.png share/doc/korvane/README.md \
    share/doc/korvane/docs/settings.md share/doc/korvane/docs/start-screen.png \
    "share/doc/korvane/Vermin Verile.LICENSE.txt" share/doc/korvane/Zekton.LICENSE.txt \
    share/doc/korvane/copyright share/doc/korvane/changelog.gz share/man/man6/korvane.6.gz; do
  [ -e "$prefix/$file" ] || fail "not installed: $file"
done
desktop-file-validate "$prefix/share/applications/korvane.desktop" || fail "the desktop entry is not valid"
# The menu starts the installed executable itself, whether or not its directory is on the PATH.
grep -qxF "Exec=$prefix/bin/korvane" "$prefix/share/applications/korvane.desktop" ||
  { grep Exec "$prefix/share/applications/korvane.desktop"; fail "the menu entry does not start $prefix/bin/korvane"; }
metainfo=$(ls "$prefix"/share/metainfo/*.metainfo.xml) || fail "no software-centre listing installed"
appstreamcli validate --no-net "$metainfo" > "$prefix/metainfo.log" || { cat "$prefix/metainfo.log"; fail "the listing is not valid"; }
launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
[ -n "$launchable" ] && [ -e "$prefix/share/applications/$launchable" ] ||
  fail "the listing launches '$launchable', which is not an installed menu entry"
# The newest release in the listing and in the package's history is the version the game reports.
version=$(env -u DISPLAY "$game" --version | sed 's/^Korvane //')
listed=$(grep -m 1 -o '<release version="[^"]*"' "$metainfo" | cut -d '"' -f 2)
[ "$listed" = "$version" ] || fail "the listing's newest release is '$listed', the game is $version"
logged=$(gzip -dc "$prefix/share/doc/korvane/changelog.gz" | head -n 1 | sed -E 's/^korvane \(([^)]*)\).*/\1/')
[ "$logged" = "$version" ] || fail "the changelog's newest entry is '$logged', the game is $version"
icon=$(identify -format '%m %wx%h' "$prefix/share/icons/hicolor/256x256/apps/korvane.png")
[ "$icon" = "PNG 256x256" ] || fail "the icon is '$icon', not a 256x256 PNG"

# Options answer and leave without a display: a window would fail with status 255.
cd "$away"
out=$(env -u DISPLAY "$game" --help) || fail "--help exited with $?"
grep -q "^Usage: korvane" <<< "$out" || fail "--help printed no usage"
grep -qF "$prefix/share/korvane/assets" <<< "$out" || fail "--help does not name the installed assets"
out=$(env -u DISPLAY "$game" --version) || fail "--version exited with $?"
grep -qE '^Korvane [0-9]+\.[0-9]+\.[0-9]+$' <<< "$out" || fail "--version printed '$out'"
env -u DISPLAY "$game" --no-such-option > out.log 2> err.log
status=$?
[ "$status" -eq 2 ] || fail "an unknown option gave status $status"
[ -s out.log ] && fail "an unknown option wrote to stdout"
grep -q "Usage: korvane" err.log || fail "an unknown option printed no usage on stderr"

# A play from elsewhere, with the settings under XDG_CONFIG_HOME: a file that is not valid TOML
# is named in its one line, which shows that it is the one read.
mkdir -p "$away/xdg/korvane"
echo "[Display" > "$away/xdg/korvane/config.toml"
log="$away/console.log"
XDG_CONFIG_HOME="$away/xdg" "$game" > "$log" 2> "$away/errors.log" &
pid=$!
id=$(wait_for_window Korvane 60) || { cat "$log" "$away/errors.log"; fail "no window titled Korvane"; }
sleep 4
import -window root "$away/frame.png"
quit_with_escape "$id" "$pid" "the installed game" "$log" "$away/errors.log"
grep -q "^Invalid config file $away/xdg/korvane/config.toml: " "$log" || { cat "$log"; fail "the user's settings were not read"; }
grep -q "Failed to open config file" "$log" && fail "a missing settings file was reported although one was read"
grep -qE '^[0-9]+ FPS \(' "$log" || fail "no frame-rate line: no frames were drawn"
# The start screen's text (fonts and shaders from the installed assets) gives many colours.
colours=$(identify -format '%k' "$away/frame.png")
[ "$colours" -gt 50 ] || fail "the frame holds $colours colours: nothing was drawn"
grep -q "Failed to load\|ERROR::FREETYPE" "$log" && { cat "$log"; fail "an installed asset failed to load"; }

# --config reads exactly that file (the XDG one is not looked at) and the assets are gone.
mv "$prefix/share/korvane/assets" "$prefix/share/korvane/moved"
XDG_CONFIG_HOME="$away/xdg" env -u DISPLAY "$game" --config "$away/none.toml" > "$log" 2> "$away/errors.log"
status=$?
[ "$status" -eq 1 ] || { cat "$log" "$away/errors.log"; fail "missing assets gave status $status, not 1"; }
grep -qx "Failed to open config file" "$log" || fail "an unreadable --config file was not reported"
grep -q "Invalid config file" "$log" && fail "--config did not replace the lookup"
[ "$(wc -l < "$away/errors.log")" -eq 1 ] || { cat "$away/errors.log"; fail "missing assets should be one line"; }
grep -qF "looked in: $away/assets, $prefix/bin/assets, $prefix/share/korvane/assets" "$away/errors.log" ||
  { cat "$away/errors.log"; fail "the line does not name the places tried"; }

echo "PASS"
