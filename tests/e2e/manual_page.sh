#!/usr/bin/env bash
# The manual page says what --help says: every option and key that --help lists has an entry of the
# same name under OPTIONS and CONTROLS, the page names no option the game does not take, and groff
# renders the page without a warning.
set -u
binary=$1
source "$(dirname "$0")/lib.sh"
page=packaging/korvane.6

warnings=$(groff -man -Tascii -ww -z "$page" 2>&1)
[ -z "$warnings" ] || { echo "$warnings"; fail "groff warns about the manual page"; }
rendered=$(groff -man -Tascii -P-cbou "$page")
help=$(env -u DISPLAY "$binary" --help) || fail "--help exited with $?"

# The names in the first column of a block of --help ("Options:"), up to the two spaces after them;
# a description's continuation line has none.
help_names() {
  awk -v head="$1" '$0 == head { inside = 1; next }
                    inside && !/^  / { exit }
                    inside { sub(/^  /, ""); sub(/  .*/, ""); if ($0 != "") print }' <<< "$help"
}
# The lines of one section of the rendered page; headings start in the first column.
page_section() { awk -v head="$1" '/^[^ ]/ { inside = ($0 == head); next } inside' <<< "$rendered"; }
# Whether a section has an entry headed by exactly this name (entries are indented by 7).
has_entry() {
  awk -v name="       $2" 'index($0, name) == 1 && (length($0) == length(name) ||
                           substr($0, length(name) + 1, 1) == " ") { found = 1 } END { exit !found }' <<< "$1"
}

options=$(page_section OPTIONS)
controls=$(page_section CONTROLS)
[ -n "$options" ] && [ -n "$controls" ] || fail "the page has no OPTIONS or no CONTROLS section"
helped=$(help_names "Options:")
keys=$(help_names "Keys:")
[ -n "$helped" ] && [ -n "$keys" ] || { echo "$help"; fail "--help lists no options or no keys"; }
while IFS= read -r name; do
  has_entry "$options" "$name" || fail "the manual page has no entry for the option '$name' under OPTIONS"
done <<< "$helped"
while IFS= read -r name; do
  has_entry "$controls" "$name" || fail "the manual page has no entry for the key '$name' under CONTROLS"
done <<< "$keys"
# And the other way: an entry for an option --help no longer lists is stale.
while IFS= read -r entry; do
  grep -qxF -- "$entry" <<< "$helped" || fail "the manual page describes '$entry', which --help does not list"
done < <(grep -E '^       -' <<< "$options" | sed -E 's/^ {7}//; s/  .*//')

echo "PASS"
