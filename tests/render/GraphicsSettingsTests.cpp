#include "core/ConfigHandler.h"
#include "render/GraphicsSettings.h"
#include "support/ConsoleCapture.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(GraphicsSettings, ReadOnceAsTheirKindsWithTheDefaultForAValueThatIsNoneOfThem) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("korvane_graphics_" + std::to_string(::getpid()) + ".toml");
    ConfigHandler& config = ConfigHandler::GetInstance();
    auto read = [&](const std::string& graphics, std::string* said = nullptr) {
        std::ofstream(file) << "[Graphics]\n" << graphics << "\n";
        config.Load(file.string());
        testing_support::ConsoleCapture console;
        GraphicsSettings settings;
        settings.Load(config);
        if (said != nullptr)
            *said = console.Text();
        return settings;
    };

    const GraphicsSettings off =
        read("sky = false\ncontactShadows = false\nlightMap = false\nlightsPerObject = 7");
    EXPECT_FALSE(off.sky);
    EXPECT_FALSE(off.contactShadows);
    EXPECT_FALSE(off.lightMap);
    EXPECT_EQ(off.lightsPerObject, 7);
    const GraphicsSettings on = read("");
    EXPECT_TRUE(on.sky);
    EXPECT_TRUE(on.contactShadows);
    EXPECT_EQ(on.lightsPerObject, 3);

    // A count of lights is a whole number: anything else is a mistake, not a value to round.
    std::string said;
    EXPECT_EQ(read("lightsPerObject = 2.5", &said).lightsPerObject, 3);
    EXPECT_EQ(said, "") << "a value of the wrong kind falls back quietly, as the window's size does";
    EXPECT_EQ(read("lightsPerObject = \"5\"").lightsPerObject, 3);
    EXPECT_EQ(read("lightsPerObject = 4.0").lightsPerObject, 4);
    EXPECT_EQ(read("lightsPerObject = 0").lightsPerObject, 0) << "0: every light per pixel";
    EXPECT_EQ(read("lightsPerObject = 32").lightsPerObject, 32);
    EXPECT_EQ(read("lightsPerObject = 33", &said).lightsPerObject, 3);
    EXPECT_EQ(said, "Graphics.lightsPerObject = 33 cannot be used (allowed 0 to 32); using 3\n");
    EXPECT_EQ(read("lightsPerObject = -1").lightsPerObject, 3);

    std::filesystem::remove(file);
    testing_support::ConsoleCapture quiet;
    config.Load(file.string());
}
