#pragma once
// The game's few options: help and version print and leave before any window opens;
// --config names the one settings file to read.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

struct CommandLine {
    enum class Action { Play, ShowHelp, ShowVersion, Misuse };

    Action action = Action::Play;
    /// Read exactly this settings file instead of looking for one.
    std::optional<std::string> configFile;
    /// What to do with a demo: record the game into it, replay it in real time, or replay it as
    /// fast as possible and report the frame times.
    enum class Demo { None, Record, Play, Timedemo };
    Demo demo = Demo::None;
    std::string demoFile;
    /// Why a Misuse command line was refused, as one line for the player.
    std::string problem;
};

/// Reads the options after the program name. Anything it does not know is a Misuse.
CommandLine ParseCommandLine(int argc, const char* const* argv);

/// The help text: options, keys, and the places settings and assets are looked for.
std::string UsageText(const std::vector<std::string>& settingsPlaces,
                      const std::vector<std::string>& assetPlaces);
/// "Korvane " and the build's version.
std::string VersionText();

/// What a command line other than Play does: help or version on `out` and 0, or the problem
/// and the usage on `err` and 2.
int AnswerCommandLine(const CommandLine& commandLine, const std::vector<std::string>& settingsPlaces,
                      const std::vector<std::string>& assetPlaces, std::ostream& out, std::ostream& err);
