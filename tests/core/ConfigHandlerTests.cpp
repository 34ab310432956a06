#include "core/ConfigHandler.h"
#include "support/ConsoleCapture.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

namespace {

class ConfigHandlerTest : public ::testing::Test {
protected:
    void LoadText(const std::string& text) {
        std::ofstream(file) << text;
        testing_support::ConsoleCapture console;
        config.Load(file);
        loadOutput = console.Text();
    }
    void TearDown() override { std::filesystem::remove(file); }

    ConfigHandler& config = ConfigHandler::GetInstance();
    // One file per test process: ctest runs the cases side by side.
    std::string file = (std::filesystem::temp_directory_path() /
                        ("korvane_config_" + std::to_string(::getpid()) + "_" +
                         ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".toml"))
                           .string();
    std::string loadOutput;
};

TEST_F(ConfigHandlerTest, BooleanKeysFollowTheNodeType) {
    LoadText("[Display]\nyes = true\nzero = 0\nseven = 7\nfloatZero = 0.0\ntext = \"true\"\n");
    EXPECT_TRUE(config.GetBool("Display.yes", false));
    // An integer counts by non-zero; a float never converts to a boolean.
    EXPECT_FALSE(config.GetBool("Display.zero", true));
    EXPECT_TRUE(config.GetBool("Display.seven", false));
    EXPECT_TRUE(config.GetBool("Display.floatZero", true));
    EXPECT_FALSE(config.GetBool("Display.text", false));
}

TEST_F(ConfigHandlerTest, FloatKeysTakeIntegersOnlyWhenExactlyRepresentable) {
    LoadText("[D]\nf = 1.5\ni = 75\nedge = 16777216\nover = 16777217\nb = true\n"
             "huge = 1e39\nhugeNeg = -1e39\ninfinite = inf\nnotANumber = nan\ns = \"2\"\n");
    EXPECT_FLOAT_EQ(config.GetFloat("D.f", 0.0f), 1.5f);
    EXPECT_FLOAT_EQ(config.GetFloat("D.i", 0.0f), 75.0f);
    EXPECT_FLOAT_EQ(config.GetFloat("D.edge", 0.0f), 16777216.0f);
    EXPECT_FLOAT_EQ(config.GetFloat("D.over", -1.0f), -1.0f);
    EXPECT_FLOAT_EQ(config.GetFloat("D.b", -1.0f), -1.0f);
    // Beyond the largest finite float the default stands; infinity and NaN pass through.
    EXPECT_FLOAT_EQ(config.GetFloat("D.huge", -1.0f), -1.0f);
    EXPECT_FLOAT_EQ(config.GetFloat("D.hugeNeg", -1.0f), -1.0f);
    EXPECT_TRUE(std::isinf(config.GetFloat("D.infinite", 0.0f)));
    EXPECT_TRUE(std::isnan(config.GetFloat("D.notANumber", 0.0f)));
    EXPECT_FLOAT_EQ(config.GetFloat("D.s", -1.0f), -1.0f);
}

TEST_F(ConfigHandlerTest, IntegerKeysTakeIntegralFloatsAndBooleans) {
    LoadText("[Display]\nwidth = 1280.0\nheight = 1280.5\nb = true\nbig = 4294967296\n"
             "neg = -2147483648\nMSAA = \"8\"\nnan = nan\ndate = 1979-05-27\narr = [1, 2]\n"
             "huge = 8e24\nhugeNeg = -1e19\n");
    EXPECT_EQ(config.GetInt("Display.width", 800), 1280);
    EXPECT_EQ(config.GetInt("Display.height", 600), 600);
    EXPECT_EQ(config.GetInt("Display.b", 5), 1);
    EXPECT_EQ(config.GetInt("Display.big", 7), 7);
    EXPECT_EQ(config.GetInt("Display.neg", 7), -2147483647 - 1);
    EXPECT_EQ(config.GetInt("Display.MSAA", 4), 4);
    EXPECT_EQ(config.GetInt("Display.nan", 4), 4);
    EXPECT_EQ(config.GetInt("Display.date", 4), 4);
    EXPECT_EQ(config.GetInt("Display.arr", 4), 4);
    // Floats beyond every integer are turned away without the cast that would be undefined.
    EXPECT_EQ(config.GetInt("Display.huge", 4), 4);
    EXPECT_EQ(config.GetInt("Display.hugeNeg", 4), 4);
}

TEST_F(ConfigHandlerTest, PathsResolveThroughSectionsOnly) {
    LoadText("maxFPS = 30.0\n[Display]\nwidth = 1024\n[Deep.Er]\nkey = 3\n");
    // A top-level key is not found under a section of the same name.
    EXPECT_FLOAT_EQ(config.GetFloat("Display.maxFPS", 60.0f), 60.0f);
    EXPECT_EQ(config.GetInt("Display.width", 800), 1024);
    EXPECT_EQ(config.GetInt("Display.height", 600), 600);
    EXPECT_EQ(config.GetInt("Deep.Er.key", 0), 3);
    // A path through a value that is not a table yields the default.
    EXPECT_EQ(config.GetInt("Display.width.x", 9), 9);
    EXPECT_EQ(config.GetInt("Nowhere.width", 9), 9);
}

TEST_F(ConfigHandlerTest, MissingFileRunsOnDefaultsWithOneLine) {
    LoadText("[Display]\nwidth = 1024\n");
    testing_support::ConsoleCapture console;
    config.Load("/nonexistent/korvane/config.toml");
    EXPECT_EQ(console.Text(), "Failed to open config file\n");
    // Nothing of the earlier file survives.
    EXPECT_EQ(config.GetInt("Display.width", 800), 800);
}

TEST_F(ConfigHandlerTest, InvalidFileReportsWhereAndRunsOnDefaults) {
    LoadText("[Display]\nwidth = 1024\nheight = = 3\n");
    EXPECT_NE(loadOutput.find(file), std::string::npos);
    EXPECT_NE(loadOutput.find("line 3"), std::string::npos) << loadOutput;
    EXPECT_NE(loadOutput.find("column"), std::string::npos);
    EXPECT_EQ(std::count(loadOutput.begin(), loadOutput.end(), '\n'), 1);
    EXPECT_EQ(config.GetInt("Display.width", 800), 800);
}

} // namespace

namespace {

TEST_F(ConfigHandlerTest, ValuesOutsideWhatTheGameCanUseFallBackWithOneLineNamingTheKey) {
    LoadText("[Display]\nfov = 0.0\nwide = 120\nflat = 180.0\nbroken = nan\nhuge = inf\n");
    testing_support::ConsoleCapture console;
    EXPECT_FLOAT_EQ(config.GetFloatInRange("Display.wide", 90.0f, 1.0f, 179.0f), 120.0f);
    EXPECT_EQ(console.Text(), "") << "a usable value is honoured silently";
    EXPECT_FLOAT_EQ(config.GetFloatInRange("Display.fov", 90.0f, 1.0f, 179.0f), 90.0f);
    EXPECT_FLOAT_EQ(config.GetFloatInRange("Display.flat", 90.0f, 1.0f, 179.0f), 90.0f);
    EXPECT_FLOAT_EQ(config.GetFloatInRange("Display.broken", 90.0f, 1.0f, 179.0f), 90.0f);
    EXPECT_FLOAT_EQ(config.GetFloatInRange("Display.huge", 90.0f, 1.0f, 179.0f), 90.0f);
    const std::string text = console.Text();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
    EXPECT_NE(text.find("Display.fov = 0 cannot be used"), std::string::npos) << text;
    EXPECT_NE(text.find("Display.broken = nan"), std::string::npos) << text;
    // A missing key is no mistake of the player's: the default, silently.
    console.Clear();
    EXPECT_FLOAT_EQ(config.GetFloatInRange("Display.missing", 90.0f, 1.0f, 179.0f), 90.0f);
    EXPECT_EQ(console.Text(), "");
}

TEST_F(ConfigHandlerTest, HugeAndDeeplyNestedFilesAreReadOrRejectedWithoutCrashing) {
    std::string big = "[Display]\nwidth = 1024\n[Padding]\n";
    for (int i = 0; big.size() < 10u * 1024u * 1024u; ++i)
        big += "key" + std::to_string(i) + " = \"" + std::string(100, 'x') + "\"\n";
    LoadText(big);
    EXPECT_EQ(config.GetInt("Display.width", 800), 1024);

    LoadText("deep = " + std::string(100000, '[') + std::string(100000, ']') + "\n[Display]\nwidth = 1024\n");
    EXPECT_EQ(config.GetInt("Display.width", 800), 800) << "a rejected file leaves every default";
    EXPECT_NE(loadOutput.find("Invalid config file"), std::string::npos);

    std::string tables;
    for (int i = 0; i < 2000; ++i)
        tables += "[t" + std::to_string(i) + "]\nv = " + std::to_string(i) + "\n";
    LoadText(tables + "[Display]\nheight = 720\n");
    EXPECT_EQ(config.GetInt("Display.height", 600), 720);
}

TEST_F(ConfigHandlerTest, ADirectoryInPlaceOfTheFileRunsOnDefaults) {
    std::filesystem::create_directory(file);
    struct RemoveDirectory {
        std::string path;
        ~RemoveDirectory() { std::filesystem::remove_all(path); }
    } cleanup{file};
    testing_support::ConsoleCapture console;
    config.Load(file);
    EXPECT_EQ(config.GetInt("Display.width", 800), 800);
    const std::string text = console.Text();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
}

TEST_F(ConfigHandlerTest, AnOptionalSwitchIsUnsetUnlessItHoldsABoolean) {
    // Display.vsync left out, or unusable, must leave the driver's own setting alone.
    LoadText("[Display]\nvsync = false\non = 1\ntext = \"yes\"\nratio = 1.0\n");
    EXPECT_EQ(config.FindBool("Display.vsync"), std::optional<bool>(false));
    EXPECT_EQ(config.FindBool("Display.on"), std::optional<bool>(true));
    EXPECT_EQ(config.FindBool("Display.text"), std::nullopt);
    EXPECT_EQ(config.FindBool("Display.ratio"), std::nullopt);
    EXPECT_EQ(config.FindBool("Display.missing"), std::nullopt);
    LoadText("not [valid");
    EXPECT_EQ(config.FindBool("Display.vsync"), std::nullopt);
}

} // namespace

TEST_F(ConfigHandlerTest, NestingBeyondAHundredLevelsIsRefusedBeforeTheParserSeesIt) {
    auto parts = [](int count) {
        std::string key = "a";
        for (int i = 1; i < count; ++i)
            key += ".a";
        return key;
    };
    const std::string display = "\n[Display]\nwidth = 1024\n";
    // Tens of thousands of levels would run the parser out of stack: one line, then defaults.
    for (const std::string& deep :
         {parts(40000) + " = 1", "[" + parts(40000) + "]", "[" + parts(60) + "]\n" + parts(60) + " = 1",
          "x = " + std::string(50, '{') + parts(60) + " = 1" + std::string(50, '}')}) {
        LoadText(deep + display);
        EXPECT_EQ(config.GetInt("Display.width", 800), 800);
        EXPECT_NE(loadOutput.find("Invalid config file " + file +
                                  ": tables, arrays or dotted keys nested more "
                                  "than 100 deep (line "),
                  std::string::npos)
            << loadOutput;
        EXPECT_EQ(std::count(loadOutput.begin(), loadOutput.end(), '\n'), 1) << loadOutput;
    }
    std::string floats;
    for (int i = 0; i < 300; ++i)
        floats += "1.5, ";
    // A hundred levels are still read; dots in strings, quoted keys and comments nest nothing.
    LoadText(parts(100) + " = 7\n\"" + parts(500) + "\" = 1\n# " + parts(500) + "\ns = '" + parts(500) +
             "'\nm = \"\"\"\n\"" + parts(500) + "\"\"\"\nf = [" + floats + "1.5]" + display);
    EXPECT_EQ(loadOutput, "");
    EXPECT_EQ(config.GetInt(parts(100), 0), 7);
    EXPECT_EQ(config.GetInt("Display.width", 800), 1024);

    // Only real depth counts: siblings, however many, are one level each.
    std::string siblings = "l = [[0]", tables = "t = [{a.b = 1}", pairs = "p = [\n";
    for (int i = 0; i < 150; ++i) {
        siblings += ",[0]";
        tables += ", {a.b.c = " + std::to_string(i) + "}";
        pairs += "  [" + std::to_string(i) + ", 2],\n";
    }
    LoadText(siblings + "]\n" + tables + "]\n" + pairs + "]\ni = {" + parts(90) + " = 1, " + parts(90) +
             "0 = 2}" + display);
    EXPECT_EQ(loadOutput, "");
    EXPECT_EQ(config.GetInt("Display.width", 800), 1024);

    // A demo's settings text goes through the same guard: refused, and the section left alone.
    LoadText("[Controls]\nmaxSpeed = 3" + display);
    EXPECT_FALSE(
        config.ReplaceSection("Controls", "x = " + std::string(40000, '[') + std::string(40000, ']')));
    EXPECT_FALSE(config.ReplaceSection("Controls", parts(40000) + " = 1"));
    EXPECT_EQ(config.GetInt("Controls.maxSpeed", 0), 3);
    EXPECT_TRUE(config.ReplaceSection("Controls", siblings + "]\nmaxSpeed = 4"));
    EXPECT_EQ(config.GetInt("Controls.maxSpeed", 0), 4);
}
