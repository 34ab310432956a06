#include "app/CommandLine.h"

#include "app/BuildInfo.h"

#include <ostream>
#include <sstream>

namespace {

constexpr const char* kConfigOption = "--config";
constexpr int kMisuseStatus = 2;

} // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine result;
    const std::string configPrefix = std::string(kConfigOption) + "=";
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            result.action = CommandLine::Action::ShowHelp;
        } else if (argument == "--version") {
            // Help wins over version when both are asked for, whatever the order.
            if (result.action != CommandLine::Action::ShowHelp)
                result.action = CommandLine::Action::ShowVersion;
        } else if (argument == kConfigOption) {
            if (i + 1 >= argc) {
                result.problem = "--config needs a file";
                result.action = CommandLine::Action::Misuse;
                return result;
            }
            result.configFile = argv[++i];
        } else if (argument == "--record" || argument == "--play" || argument == "--timedemo") {
            if (i + 1 >= argc || result.demo != CommandLine::Demo::None) {
                result.problem = i + 1 >= argc ? argument + " needs a file"
                                               : "only one of --record, --play and --timedemo at a time";
                result.action = CommandLine::Action::Misuse;
                return result;
            }
            result.demo = argument == "--record" ? CommandLine::Demo::Record
                          : argument == "--play" ? CommandLine::Demo::Play
                                                 : CommandLine::Demo::Timedemo;
            result.demoFile = argv[++i];
        } else if (argument.compare(0, configPrefix.size(), configPrefix) == 0) {
            result.configFile = argument.substr(configPrefix.size());
        } else {
            result.problem =
                (argument.size() > 1 && argument[0] == '-' ? "unknown option '" : "unexpected argument '") +
                argument + "'";
            result.action = CommandLine::Action::Misuse;
            return result;
        }
    }
    return result;
}

std::string UsageText(const std::vector<std::string>& settingsPlaces,
                      const std::vector<std::string>& assetPlaces) {
    std::ostringstream text;
    text << "Usage: korvane [--config FILE] [--record FILE | --play FILE | --timedemo FILE] [--help] "
            "[--version]\n"
            "\n"
            "Korvane, a first-person survival shooter: last five minutes against waves of enemy balls.\n"
            "\n"
            "Options:\n"
            "  --config FILE     read settings from FILE only (defaults when it cannot be read)\n"
            "  --record FILE     play, and record the game as a demo in FILE\n"
            "  --play FILE       replay the demo in FILE in real time\n"
            "  --timedemo FILE   replay the demo in FILE as fast as possible and print the frame times\n"
            "  -h, --help        print this help and leave\n"
            "  --version         print the version and leave\n"
            "\n"
            "Keys:\n"
            "  W A S D           walk\n"
            "  Space             jump; on the start screen, start the game\n"
            "  Left mouse        shoot\n"
            "  Mouse             look around\n"
            "  F1                maximise / restore the window\n"
            "  F2                collision wireframe on / off\n"
            "  F3                all screen text on / off\n"
            "  P                 pause / resume a game\n"
            "  Escape            quit\n"
            "\n"
            "Settings are read from the first of these that exists:\n";
    for (const std::string& place : settingsPlaces)
        text << "  " << place << "\n";
    text << "Assets are read from the first of these that holds the game's files:\n";
    for (const std::string& place : assetPlaces)
        text << "  " << place << "\n";
    return text.str();
}

std::string VersionText() {
    return std::string("Korvane ") + KORVANE_VERSION;
}

int AnswerCommandLine(const CommandLine& commandLine, const std::vector<std::string>& settingsPlaces,
                      const std::vector<std::string>& assetPlaces, std::ostream& out, std::ostream& err) {
    switch (commandLine.action) {
    case CommandLine::Action::ShowHelp:
        out << UsageText(settingsPlaces, assetPlaces) << std::flush;
        return 0;
    case CommandLine::Action::ShowVersion:
        out << VersionText() << std::endl;
        return 0;
    case CommandLine::Action::Misuse:
    case CommandLine::Action::Play:
        break;
    }
    err << "korvane: " << commandLine.problem << "\n\n"
        << UsageText(settingsPlaces, assetPlaces) << std::flush;
    return kMisuseStatus;
}
