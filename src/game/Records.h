#pragma once
// The player's best games, kept between runs in records.toml: the longest survival and the most
// kills, each the best of any game (the two may come from different games, as a high-score table
// keeps each column's best). Only live play keeps records: a replayed demo or the benchmark never
// touches them.

#include <optional>
#include <string>

/// $XDG_DATA_HOME/korvane/records.toml, where an unset, empty or relative value means
/// $HOME/.local/share; empty without a usable home directory.
std::string RecordsFile(const char* xdgDataHome, const char* home);

class Records {
public:
    /// Reads `file`. A missing file is no record yet, silently. A file that cannot be read as
    /// records is one line, is kept beside as FILE.bad and the records start afresh.
    explicit Records(std::string file);

    /// A game has ended (won or lost) after `seconds` with `kills`. A new best is written at
    /// once; a write that fails is one line and the best is still kept for this run.
    void GameEnded(float seconds, int kills);

    bool HasRecord() const { return bestSeconds > 0.0 || mostKills > 0; }
    double BestSeconds() const { return bestSeconds; }
    int MostKills() const { return mostKills; }
    /// "Best: 3:12 survived, 41 kills" for the start screen; nothing before the first game.
    std::optional<std::string> StartScreenLine() const;

private:
    void Read();
    std::string file;
    double bestSeconds = 0.0;
    int mostKills = 0;
};
