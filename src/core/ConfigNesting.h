#pragma once
// A guard run over a settings file before it is parsed: TOML's parser descends once per table
// level, so a key or header thousands of parts deep would exhaust the stack. Nothing the game
// reads is more than two levels down; anything past kMaxConfigNesting is refused outright.

#include <cstddef>
#include <optional>
#include <string_view>

/// Deeper than any settings file needs, shallow enough for the parser's stack in every build.
inline constexpr int kMaxConfigNesting = 100;

struct ConfigTextPosition {
    std::size_t line = 1;
    std::size_t column = 1;
};

/// Where `text` first nests tables, arrays or dotted key parts more than `limit` levels deep
/// (counting the current [table] header's parts under each key), or nothing when it never does.
/// Strings and comments are skipped; the count errs high, never low, for text that is not TOML.
std::optional<ConfigTextPosition> FindExcessNesting(std::string_view text, int limit = kMaxConfigNesting);
