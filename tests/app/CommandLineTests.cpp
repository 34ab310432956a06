// The command line: what each option asks for, what is refused, and which stream and exit
// status the player gets for it.

#include "app/BuildInfo.h"
#include "app/CommandLine.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

CommandLine Parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "korvane");
    return ParseCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

struct Answer {
    int status;
    std::string out;
    std::string err;
};

Answer AnswerFor(const CommandLine& commandLine) {
    std::ostringstream out, err;
    const int status = AnswerCommandLine(commandLine, {"config.toml", "/home/p/.config/korvane/config.toml"},
                                         {"/work/assets", "/usr/share/korvane/assets"}, out, err);
    return {status, out.str(), err.str()};
}

TEST(CommandLineTest, OptionsAreReadAndAnsweredOnTheRightStream) {
    EXPECT_EQ(Parse({}).action, CommandLine::Action::Play);
    EXPECT_FALSE(Parse({}).configFile.has_value());
    EXPECT_EQ(Parse({"--config", "my settings.toml"}).configFile, "my settings.toml");
    EXPECT_EQ(Parse({"--config=/etc/k.toml"}).configFile, "/etc/k.toml");
    EXPECT_EQ(Parse({"--config", "a.toml"}).action, CommandLine::Action::Play);
    const CommandLine timed = Parse({"--config", "a.toml", "--timedemo", "run.kvd"});
    EXPECT_EQ(timed.demo, CommandLine::Demo::Timedemo);
    EXPECT_EQ(timed.demoFile, "run.kvd");
    EXPECT_EQ(timed.configFile, "a.toml");
    EXPECT_EQ(Parse({"--record", "--play"}).demoFile, "--play"); // a file may have any name
    EXPECT_EQ(Parse({"--play", "x"}).demo, CommandLine::Demo::Play);
    // Help wins over version in either order.
    EXPECT_EQ(Parse({"--version", "-h"}).action, CommandLine::Action::ShowHelp);
    EXPECT_EQ(Parse({"--help", "--version"}).action, CommandLine::Action::ShowHelp);

    const Answer help = AnswerFor(Parse({"--help"}));
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.err.empty());
    for (const char* expected : {"--config FILE", "--record FILE", "--timedemo FILE", "Escape", "F2",
                                 "/home/p/.config/korvane/config.toml", "/usr/share/korvane/assets"})
        EXPECT_NE(help.out.find(expected), std::string::npos) << "help does not mention " << expected;

    const Answer version = AnswerFor(Parse({"--version"}));
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("Korvane ") + KORVANE_VERSION + "\n");

    // Anything unknown, a stray argument or --config without its file: the reason, the usage
    // on stderr, nothing on stdout, status 2.
    for (const std::vector<const char*>& misuse : {std::vector<const char*>{"--fullscreen"},
                                                   {"level2"},
                                                   {"--config"},
                                                   {"--help", "-x"},
                                                   {"--play"},
                                                   {"--record", "a.kvd", "--timedemo", "a.kvd"}}) {
        const CommandLine commandLine = Parse(misuse);
        ASSERT_EQ(commandLine.action, CommandLine::Action::Misuse) << misuse.front();
        const Answer answer = AnswerFor(commandLine);
        EXPECT_EQ(answer.status, 2);
        EXPECT_TRUE(answer.out.empty());
        EXPECT_EQ(answer.err.rfind("korvane: " + commandLine.problem + "\n", 0), 0u) << answer.err;
        EXPECT_NE(answer.err.find("Usage: korvane"), std::string::npos);
    }
    EXPECT_EQ(Parse({"--fullscreen"}).problem, "unknown option '--fullscreen'");
}

} // namespace
