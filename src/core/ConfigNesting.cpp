#include "core/ConfigNesting.h"

#include <vector>

namespace {

/// Walks the text one character at a time, with just enough of TOML's grammar to tell keys from
/// values: a dot separates key parts only before a key's '=' or inside a [header].
class NestingScanner {
public:
    NestingScanner(std::string_view text, int limit) : text(text), limit(limit) {}

    std::optional<ConfigTextPosition> Run() {
        while (at < text.size()) {
            const char c = text[at];
            if (c == '#') {
                SkipTo('\n');
                continue;
            }
            if (c == '"' || c == '\'') {
                SkipString(c);
                continue;
            }
            if (c == '\n')
                EndLine();
            else if (c == '[')
                OpenBracket();
            else if (c == ']')
                CloseBracket();
            else if (c == '{')
                Open('{');
            else if (c == '}')
                CloseBracket();
            else if (c == '=' && !inHeader)
                inKey = false;
            else if (c == ',' && !open.empty() && open.back().bracket == '{')
                NextInlineKey();
            else if (c == '.' && (inKey || inHeader))
                ++depth;
            if (depth + headerDepth > limit)
                return Position();
            Advance();
        }
        return std::nullopt;
    }

private:
    void Advance() {
        if (text[at] == '\n') {
            ++line;
            lineStart = at + 1;
        }
        ++at;
    }
    void SkipTo(char end) {
        while (at < text.size() && text[at] != end)
            Advance();
    }
    /// Past a basic or literal string, single- or multi-line; an unterminated one ends the scan.
    void SkipString(char quote) {
        const std::string_view triple = quote == '"' ? "\"\"\"" : "'''";
        const bool multiLine = text.compare(at, 3, triple) == 0;
        at += multiLine ? 3 : 1;
        while (at < text.size()) {
            if (quote == '"' && text[at] == '\\') {
                Advance();
                if (at < text.size())
                    Advance();
                continue;
            }
            if (!multiLine && text[at] == '\n')
                return;
            if (!multiLine && text[at] == quote) {
                ++at;
                return;
            }
            if (multiLine && text.compare(at, 3, triple) == 0) {
                at += 3;
                return;
            }
            Advance();
        }
    }
    void EndLine() {
        if (!open.empty())
            return;
        // A statement ends: a header's parts stay beneath every key until the next header.
        if (statementIsHeader)
            headerDepth = depth;
        depth = 0;
        inKey = true;
        inHeader = false;
        statementIsHeader = false;
    }
    void OpenBracket() {
        // A '[' where a key would start, outside any value, opens a [table] or [[array]] header.
        if (open.empty() && inKey && !inHeader && depth == 0) {
            inHeader = true;
            statementIsHeader = true;
            headerDepth = 0;
            depth = 1;
            return;
        }
        if (inHeader)
            return; // the second '[' of [[header]]
        Open('[');
    }
    void Open(char bracket) {
        open.push_back({bracket, depth});
        ++depth;
        inKey = bracket == '{';
    }
    /// The next key of an inline table sits one level below the brace, whatever the last key's
    /// dotted parts were.
    void NextInlineKey() {
        depth = open.back().depthBefore + 1;
        inKey = true;
    }
    /// A closed bracket or brace gives its level back: a hundred sibling arrays are one level deep.
    void CloseBracket() {
        if (inHeader) {
            inHeader = false;
            return;
        }
        if (!open.empty()) {
            depth = open.back().depthBefore;
            open.pop_back();
        }
        inKey = false;
    }
    ConfigTextPosition Position() const { return {line, at - lineStart + 1}; }

    std::string_view text;
    int limit;
    std::size_t at = 0;
    std::size_t line = 1;
    std::size_t lineStart = 0;
    /// Levels opened by the statement so far: key parts, brackets and braces.
    int depth = 0;
    /// Levels of the last [header], beneath which every following key sits.
    int headerDepth = 0;
    bool inKey = true;
    bool inHeader = false;
    bool statementIsHeader = false;
    struct Opened {
        char bracket;
        /// The statement's depth before the bracket opened.
        int depthBefore;
    };
    std::vector<Opened> open;
};

} // namespace

std::optional<ConfigTextPosition> FindExcessNesting(std::string_view text, int limit) {
    return NestingScanner(text, limit).Run();
}
