// Where the game finds its assets and its settings: the first place that qualifies wins, in a
// fixed order, and nothing is found where nothing qualifies.

#include "core/AssetLocator.h"
#include "core/ConfigLocation.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class LookupOrderTest : public ::testing::Test {
protected:
    void TearDown() override {
        AssetLocator::GetInstance().Locate({AssetLocator::kAssetsName});
        fs::remove_all(base);
    }
    fs::path Touch(const fs::path& file) {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << "x\n";
        return file;
    }

    fs::path base =
        fs::temp_directory_path() / ("korvane_lookup_" + std::to_string(::getpid()) + "_" +
                                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(LookupOrderTest, AssetsComeFromTheFirstDirectoryHoldingTheGamesFiles) {
    // An installed layout seen from its bin directory: beside it, then the shared data directory.
    const std::vector<fs::path> candidates = AssetCandidates(base / "bin", "../share/korvane/assets");
    ASSERT_EQ(candidates.size(), 3u);
    EXPECT_EQ(candidates[0], fs::path("assets"));
    EXPECT_EQ(candidates[1], base / "bin/assets");
    EXPECT_EQ(candidates[2], base / "share/korvane/assets");

    const fs::path work = base / "work/assets", beside = base / "bin/assets",
                   shared = base / "share/korvane/assets";
    AssetLocator& locator = AssetLocator::GetInstance();
    // Nothing yet: not found, and loaders keep reading the working directory's assets/.
    EXPECT_FALSE(locator.Locate({work, beside, shared}));
    EXPECT_EQ(locator.Resolve("assets/shaders/basic.vert"), "assets/shaders/basic.vert");

    // Some other program's assets/ (files, but not ours) is passed over for the installed one.
    Touch(work / "shaders/basic.vert");
    Touch(shared / AssetLocator::kMarkerFile);
    ASSERT_TRUE(locator.Locate({work, beside, shared}));
    EXPECT_EQ(locator.Resolve("assets/fonts/Zekton.otf"), (shared / "fonts/Zekton.otf").string());
    // Paths that are not asset names are left alone.
    EXPECT_EQ(locator.Resolve("/tmp/elsewhere.obj"), "/tmp/elsewhere.obj");
    EXPECT_EQ(locator.Resolve("assetsmore/x"), "assetsmore/x");

    // The build tree's copy beside the executable comes before the installed one ...
    Touch(beside / AssetLocator::kMarkerFile);
    ASSERT_TRUE(locator.Locate({work, beside, shared}));
    EXPECT_EQ(locator.Root(), beside);
    // ... and the working directory's before both, however incomplete its contents.
    Touch(work / AssetLocator::kMarkerFile);
    ASSERT_TRUE(locator.Locate({work, beside, shared}));
    EXPECT_EQ(locator.Root(), work);
    // A marker that is a directory does not count.
    fs::remove(work / AssetLocator::kMarkerFile);
    fs::create_directories(work / AssetLocator::kMarkerFile);
    ASSERT_TRUE(locator.Locate({work, beside, shared}));
    EXPECT_EQ(locator.Root(), beside);
}

TEST_F(LookupOrderTest, SettingsComeFromTheWorkingDirectoryThenTheUsersConfigDirectory) {
    const std::string local = (base / "work/config.toml").string();
    const std::string xdg = (base / "xdg").string(), home = (base / "home").string();
    const std::string xdgFile = xdg + "/korvane/config.toml",
                      homeFile = home + "/.config/korvane/config.toml";

    EXPECT_EQ(ConfigCandidates(local, xdg.c_str(), home.c_str()), (std::vector<std::string>{local, xdgFile}));
    // An unset, empty or relative XDG_CONFIG_HOME means ~/.config; no home, no user file.
    EXPECT_EQ(ConfigCandidates(local, nullptr, home.c_str()), (std::vector<std::string>{local, homeFile}));
    EXPECT_EQ(ConfigCandidates(local, "", home.c_str()), (std::vector<std::string>{local, homeFile}));
    EXPECT_EQ(ConfigCandidates(local, "relative/dir", home.c_str()),
              (std::vector<std::string>{local, homeFile}));
    EXPECT_EQ(ConfigCandidates(local, nullptr, nullptr), (std::vector<std::string>{local}));

    const std::vector<std::string> candidates = ConfigCandidates(local, xdg.c_str(), home.c_str());
    // Nowhere: nothing found (the caller then reports the one missing-file line).
    EXPECT_FALSE(FindConfigFile(candidates).has_value());
    Touch(homeFile);
    EXPECT_FALSE(FindConfigFile(candidates).has_value())
        << "~/.config is not read while XDG_CONFIG_HOME is set";
    Touch(xdgFile);
    EXPECT_EQ(FindConfigFile(candidates), xdgFile);
    // The working directory's file wins, even a directory in its place (read as unreadable).
    fs::create_directories(local);
    EXPECT_EQ(FindConfigFile(candidates), local);
}

} // namespace
