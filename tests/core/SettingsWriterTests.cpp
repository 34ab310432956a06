#include "core/ConfigHandler.h"
#include "core/SettingsWriter.h"
#include "support/ConsoleCapture.h"
#include "support/FileText.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> FilesIn(const fs::path& directory) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class SettingsWriterTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(directory); }
    void TearDown() override {
        fs::remove_all(directory);
        testing_support::ConsoleCapture quiet;
        ConfigHandler::GetInstance().Load("/nonexistent/korvane/config.toml");
    }

    fs::path directory = fs::temp_directory_path() / ("korvane_settings_" + std::to_string(::getpid()));
    fs::path file = directory / "config.toml";
};

} // namespace

TEST_F(SettingsWriterTest, SavedSettingsReloadAsTheyWereWithCommentsAndOnlyWhenChanged) {
    std::ofstream(file) << "top = 1\n[Display]\nfov = 80\nfutureKey = \"kept\"\n[Display.Deeper]\nx = 2\n"
                           "[Mods]\nlist = [1, 2]\n[[Mods.entries]]\nname = \"a\"\n";
    ConfigHandler& config = ConfigHandler::GetInstance();
    {
        testing_support::ConsoleCapture console;
        config.Load(file.string());
    }
    EXPECT_EQ(config.LoadedFile(), file.string());
    EXPECT_EQ(config.SaveFile(), file.string());
    EXPECT_FALSE(config.HasUnsavedChanges());

    // Setting what is already there is no change.
    const auto revision = config.Revision();
    config.Set("Display.fov", 80);
    EXPECT_EQ(config.Revision(), revision);
    EXPECT_FALSE(config.HasUnsavedChanges());
    // Nothing changed, nothing written: a line added by hand stays.
    std::ofstream(file, std::ios::app) << "# by hand\n";
    EXPECT_TRUE(SaveSettings(config));
    EXPECT_NE(testing_support::FileText(file).find("# by hand"), std::string::npos);

    config.Set("Display.fov", 100.5);
    config.Set("Controls.invertY", true);
    config.Set("Display.antialiasing", "off");
    config.Set("Bindings.forward", std::vector<std::string>{"W", "Up"});
    config.Set("Bindings.shoot", std::vector<std::string>{"Mouse1"});
    EXPECT_GT(config.Revision(), revision);
    EXPECT_TRUE(config.HasUnsavedChanges());
    EXPECT_FLOAT_EQ(config.GetFloat("Display.fov", 0.0f), 100.5f);
    const toml::table before = config.FileTable();

    testing_support::ConsoleCapture console;
    ASSERT_TRUE(SaveSettings(config));
    EXPECT_EQ(console.Text(), "");
    EXPECT_FALSE(config.HasUnsavedChanges());
    const std::string text = testing_support::FileText(file);
    EXPECT_NE(text.find("# vertical field of view in degrees (1 to 179; default 90)\nfov = 100.5\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("# how edges are smoothed"), std::string::npos);
    EXPECT_NE(
        text.find(
            "(\"msaa\", \"post\" or \"off\"; default \"msaa\" or the game's own choice while unset); takes "
            "effect at the next start\nantialiasing = \"off\"\n"),
        std::string::npos);
    EXPECT_NE(text.find("forward = [ \"W\", \"Up\" ]"), std::string::npos) << text;

    config.Load(file.string());
    EXPECT_EQ(config.FileTable(), before) << text;
    EXPECT_TRUE(config.GetBool("Controls.invertY", false));
    EXPECT_EQ(config.FindString("Display.futureKey"), "kept");

    // A replay runs on the recording's [Controls] whatever the menu sets meanwhile, and the
    // player's file never receives the recording's values.
    ASSERT_TRUE(config.ReplaceSection("Controls", "mouseSensitivity = 2.0\njumpForce = 5.0\n"));
    config.Set("Controls.mouseSensitivity", 3.0);
    EXPECT_FLOAT_EQ(config.GetFloat("Controls.mouseSensitivity", 0.0f), 2.0f);
    ASSERT_TRUE(SaveSettings(config));
    config.Load(file.string());
    EXPECT_FLOAT_EQ(config.GetFloat("Controls.mouseSensitivity", 0.0f), 3.0f);
    EXPECT_FALSE(config.Has("Controls.jumpForce"));
    EXPECT_TRUE(config.GetBool("Controls.invertY", false));

    // A full disk in the middle of the write: one line naming the file, the old file whole, no
    // temporary file left beside it.
    config.Set("Display.fov", 70.0);
    const std::string saved = testing_support::FileText(file);
    const std::vector<std::string> filesBefore = FilesIn(directory);
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 64;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    console.Clear();
    const bool written = SaveSettings(config);
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(console.Text(), "Cannot save settings to " + file.string() + ": File too large\n");
    EXPECT_EQ(testing_support::FileText(file), saved);
    EXPECT_EQ(FilesIn(directory), filesBefore);
    // The game goes on with the new value, still to be saved.
    EXPECT_FLOAT_EQ(config.GetFloat("Display.fov", 0.0f), 70.0f);
    EXPECT_TRUE(config.HasUnsavedChanges());

    // A directory that cannot be made: one line, nothing else.
    const fs::path blocked = directory / "blocked";
    std::ofstream(blocked) << "a file where the directory would be\n";
    config.Load((blocked / "korvane" / "config.toml").string());
    config.Set("Audio.volume", 0.5);
    console.Clear();
    EXPECT_FALSE(SaveSettings(config));
    const std::string line = console.Text();
    EXPECT_EQ(
        line.rfind("Cannot save settings to " + (blocked / "korvane" / "config.toml").string() + ": ", 0), 0u)
        << line;
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);

    // Settings first saved without any file go to the user's configuration directory.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string oldXdg = xdg != nullptr ? xdg : "";
    ::setenv("XDG_CONFIG_HOME", (directory / "xdg").c_str(), 1);
    config.Load();
    if (xdg != nullptr)
        ::setenv("XDG_CONFIG_HOME", oldXdg.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    if (config.LoadedFile().empty()) {
        EXPECT_EQ(config.SaveFile(), (directory / "xdg" / "korvane" / "config.toml").string());
        config.Set("Audio.volume", 0.25);
        ASSERT_TRUE(SaveSettings(config));
        config.Load((directory / "xdg" / "korvane" / "config.toml").string());
        EXPECT_FLOAT_EQ(config.GetFloat("Audio.volume", 0.0f), 0.25f);
    }
}

// A file the game could not read is what the player typed: saving keeps it beside the new one.
TEST_F(SettingsWriterTest, AnUnreadableFileIsKeptAsBadBeforeItIsReplaced) {
    std::ofstream(file) << "[Display\nfov = 80\n";
    ConfigHandler& config = ConfigHandler::GetInstance();
    testing_support::ConsoleCapture console;
    config.Load(file.string());
    config.Set("Display.fov", 75.0);
    ASSERT_TRUE(SaveSettings(config));
    EXPECT_EQ(testing_support::FileText(directory / "config.toml.bad"), "[Display\nfov = 80\n");
    config.Set("Display.fov", 76.0);
    ASSERT_TRUE(SaveSettings(config));
    EXPECT_EQ(testing_support::FileText(directory / "config.toml.bad"), "[Display\nfov = 80\n");
    config.Load(file.string());
    EXPECT_FLOAT_EQ(config.GetFloat("Display.fov", 0.0f), 76.0f);
}
