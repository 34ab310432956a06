#include "game/Records.h"

#include "core/ConfigNesting.h"
#include "core/SettingsWriter.h"
#include "game/HudReadouts.h"

#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <toml++/toml.h>

namespace {

namespace fs = std::filesystem;

constexpr const char* kRecordsName = "korvane/records.toml";
/// Far beyond any game (one lasts five minutes) yet a number every reader can hold.
constexpr double kLongestCredibleSeconds = 1.0e9;

bool IsAbsoluteDirectory(const char* value) {
    return value != nullptr && value[0] == '/';
}

} // namespace

std::string RecordsFile(const char* xdgDataHome, const char* home) {
    // As for the settings, a relative XDG_DATA_HOME is to be ignored.
    if (IsAbsoluteDirectory(xdgDataHome))
        return (fs::path(xdgDataHome) / kRecordsName).string();
    if (IsAbsoluteDirectory(home))
        return (fs::path(home) / ".local" / "share" / kRecordsName).string();
    return "";
}

Records::Records(std::string recordsFile) : file(std::move(recordsFile)) {
    if (!file.empty())
        Read();
}

void Records::Read() {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(file, error)))
        return;
    std::string problem;
    std::ifstream stream;
    // Only a plain file is read: a device in its place (/dev/zero) would be read for ever.
    if (fs::is_regular_file(file, error))
        stream.open(file);
    std::ostringstream text;
    if (stream.is_open())
        text << stream.rdbuf();
    if (!stream.is_open()) {
        problem = "it cannot be read as a file";
    } else if (FindExcessNesting(text.str())) {
        problem = "nested too deep";
    } else {
        try {
            const toml::table table = toml::parse(text.str(), file);
            const toml::node_view<const toml::node> best = table["Best"];
            const std::optional<double> seconds = best["survivalSeconds"].value<double>();
            const std::optional<std::int64_t> kills = best["kills"].value<std::int64_t>();
            if (best && !best.is_table())
                problem = "Best is not a table";
            else if (best["survivalSeconds"] &&
                     (!seconds || !(*seconds >= 0.0 && *seconds <= kLongestCredibleSeconds)))
                problem = "survivalSeconds is not a number of seconds";
            else if (best["kills"] && (!kills || *kills < 0 || *kills > INT_MAX))
                problem = "kills is not a count";
            else {
                bestSeconds = seconds.value_or(0.0);
                mostKills = static_cast<int>(kills.value_or(0));
            }
        } catch (const toml::parse_error& parseError) {
            std::ostringstream reason;
            reason << parseError.description() << " at line " << parseError.source().begin.line;
            problem = reason.str();
        }
    }
    if (problem.empty())
        return;
    // The damaged file is kept for whoever wants to look at it; the game starts with no record.
    bestSeconds = 0.0;
    mostKills = 0;
    const std::string kept = file + ".bad";
    fs::rename(file, kept, error);
    std::cout << "Records file " << file << " is damaged (" << problem << "); "
              << (error ? "it cannot be moved aside (" + error.message() + ")" : "kept as " + kept)
              << ", starting afresh" << std::endl;
}

void Records::GameEnded(float seconds, int kills) {
    bool better = false;
    if (std::isfinite(seconds) && seconds > bestSeconds) {
        bestSeconds = seconds;
        better = true;
    }
    if (kills > mostKills) {
        mostKills = kills;
        better = true;
    }
    if (!better || file.empty())
        return;
    toml::table best;
    best.insert_or_assign("survivalSeconds", bestSeconds);
    best.insert_or_assign("kills", static_cast<std::int64_t>(mostKills));
    toml::table records;
    records.insert_or_assign("Best", std::move(best));
    std::ostringstream text;
    text << "# Korvane's records, written by the game: the longest survival in seconds and the most\n"
            "# kills, each the best of any game played.\n"
         << records << "\n";
    std::string problem;
    if (!WriteFileAtomically(file, text.str(), problem))
        std::cout << "Cannot save records to " << file << ": " << problem << std::endl;
}

std::optional<std::string> Records::StartScreenLine() const {
    if (!HasRecord())
        return std::nullopt;
    return "Best: " + FormatCounter(static_cast<float>(bestSeconds)) + " survived, " +
           std::to_string(mostKills) + (mostKills == 1 ? " kill" : " kills");
}
