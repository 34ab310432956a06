#include "game/Records.h"
#include "support/ConsoleCapture.h"
#include "support/FileText.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class RecordsTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(directory); }
    void TearDown() override { fs::remove_all(directory); }

    fs::path directory = fs::temp_directory_path() / ("korvane_records_" + std::to_string(::getpid()));
    fs::path file = directory / "korvane" / "records.toml";
};

} // namespace

TEST_F(RecordsTest, TheBestIsKeptAcrossRunsAndBadFilesOrPlacesAreOneLine) {
    EXPECT_EQ(RecordsFile("/data", "/home/p"), "/data/korvane/records.toml");
    EXPECT_EQ(RecordsFile("relative", "/home/p"), "/home/p/.local/share/korvane/records.toml");
    EXPECT_EQ(RecordsFile(nullptr, nullptr), "");

    testing_support::ConsoleCapture console;
    {
        Records first(file.string());
        EXPECT_FALSE(first.HasRecord());
        EXPECT_EQ(first.StartScreenLine(), std::nullopt);
        EXPECT_FALSE(fs::exists(file));
        first.GameEnded(192.4f, 41);
    }
    {
        Records second(file.string());
        EXPECT_NEAR(second.BestSeconds(), 192.4, 1e-4);
        EXPECT_EQ(second.StartScreenLine(), "Best: 3:12 survived, 41 kills");
        // Each best is kept on its own: a shorter game with more kills raises only the kills.
        second.GameEnded(100.0f, 50);
        second.GameEnded(300.0f, 1);
    }
    {
        Records third(file.string());
        EXPECT_EQ(third.StartScreenLine(), "Best: 5:00 survived, 50 kills");
        // A game that beats neither writes nothing.
        std::ofstream(file, std::ios::app) << "# looked at by hand\n";
        third.GameEnded(12.0f, 3);
        EXPECT_NE(testing_support::FileText(file).find("# looked at by hand"), std::string::npos);
    }
    EXPECT_EQ(console.Text(), "");

    // A damaged file is one line, kept beside as .bad, and the records start afresh.
    for (const std::string& junk :
         {std::string("[[[ not toml"), std::string("[Best]\nkills = \"many\"\n"),
          std::string("[Best]\nsurvivalSeconds = nan\n"), std::string("Best = 3\n")}) {
        SCOPED_TRACE(junk);
        std::ofstream(file) << junk;
        console.Clear();
        Records records(file.string());
        EXPECT_FALSE(records.HasRecord());
        const std::string line = console.Text();
        EXPECT_EQ(line.rfind("Records file " + file.string() + " is damaged (", 0), 0u) << line;
        EXPECT_NE(line.find("kept as " + file.string() + ".bad, starting afresh\n"), std::string::npos)
            << line;
        EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
        EXPECT_EQ(testing_support::FileText(file.string() + ".bad"), junk);
        EXPECT_FALSE(fs::exists(file));
        // Afresh: the next best is written as a good file again.
        records.GameEnded(10.0f, 2);
        EXPECT_EQ(Records(file.string()).StartScreenLine(), "Best: 0:10 survived, 2 kills");
    }

    // A place that cannot be written (a file where the directory would be): one line, and the
    // best still stands for the rest of the run.
    const fs::path blocked = directory / "blocked";
    std::ofstream(blocked) << "not a directory\n";
    console.Clear();
    Records records((blocked / "records.toml").string());
    records.GameEnded(61.0f, 7);
    EXPECT_EQ(console.Text().rfind("Cannot save records to " + (blocked / "records.toml").string() + ": ", 0),
              0u)
        << console.Text();
    EXPECT_EQ(records.StartScreenLine(), "Best: 1:01 survived, 7 kills");
}
