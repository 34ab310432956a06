// The player's gamepad mapping file: found beside the user's settings, read line by line so that
// junk is named and skipped while the good mappings still reach GLFW.

#include "core/GamepadMappings.h"
#include "support/ConsoleCapture.h"

#include <GLFW/glfw3.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using testing_support::ConsoleCapture;

void QuietError(int, const char*) {}

class GamepadMappingsTest : public ::testing::Test {
protected:
    // GLFW's gamepad functions need the library initialised, but no window or GL context.
    void SetUp() override { ASSERT_EQ(glfwInit(), GLFW_TRUE) << "is there a DISPLAY (run under xvfb-run)?"; }
    void TearDown() override {
        glfwTerminate();
        fs::remove_all(base);
    }

    fs::path base = fs::temp_directory_path() / ("korvane_pad_" + std::to_string(::getpid()));
};

TEST_F(GamepadMappingsTest, JunkLinesAreNamedAndTheRestLoad) {
    EXPECT_EQ(GamepadMappingFile(base.c_str(), "/home/someone"),
              (base / "korvane/gamecontrollerdb.txt").string());
    EXPECT_EQ(GamepadMappingFile("relative", "/home/someone"),
              "/home/someone/.config/korvane/gamecontrollerdb.txt");
    EXPECT_FALSE(GamepadMappingFile(nullptr, nullptr));

    const std::string path = *GamepadMappingFile(base.c_str(), nullptr);
    glfwSetErrorCallback(QuietError);
    {
        ConsoleCapture out;
        ConsoleCapture err(std::cerr);
        EXPECT_EQ(LoadGamepadMappings(path), 0);
        EXPECT_EQ(out.Text() + err.Text(), "") << "no file is nothing to say";
    }

    fs::create_directories(base / "korvane");
    std::ofstream(path) << "# Game controller mappings\n"
                           "\n"
                           "030000005e0400008e02000010010000,Test Pad,a:b0,b:b1,x:b2,y:b3,back:b6,start:b7,"
                           "leftx:a0,lefty:a1,rightx:a3,righty:a4,lefttrigger:a2,righttrigger:+a5,dpup:h0.1,"
                           "platform:Linux,\n"
                           "hello, this is not a mapping\n"
                           "0300zz005e0400008e02000010010000,Bad Guid,a:b0,platform:Linux,\n"
                           "030000005e0400008e02000011010000,Bad Button,a:q7,platform:Linux,\n"
                           "030000005e0400008e02000012010000,No Colon,a:b0,junk,platform:Linux,\n"
                           "  030000005e0400008e02000013010000,Indented,a:b0,leftx:-a0~,platform:Linux,\r\n"
                           "03000000aabbccdd0000000000000000,Windows Pad,a:b0,platform:Windows,\n"
                           "030000005e0400008e02000014010000,Half Axis,+leftx:b5,platform:Linux,\n";
    ConsoleCapture out;
    ConsoleCapture err(std::cerr);
    EXPECT_EQ(LoadGamepadMappings(path), 3) << "the three mappings, another platform's included";
    const std::string prefix = "Gamepad mapping file " + path + " line ";
    EXPECT_EQ(out.Text(),
              prefix + "4 does not start with a 32-digit hexadecimal GUID and a comma; skipped\n" + prefix +
                  "5 does not start with a 32-digit hexadecimal GUID and a comma; skipped\n" + prefix +
                  "6 maps a to \"q7\", which is no button (b0), axis (a0) or hat (h0.1); skipped\n" + prefix +
                  "7 has a field that is not name:value (\"junk\"); skipped\n" + prefix +
                  "10 maps to half an axis (\"+leftx\"), which GLFW cannot load; skipped\n");
    EXPECT_EQ(err.Text(), "");
    // The game's own error callback is back in place afterwards.
    EXPECT_EQ(glfwSetErrorCallback(nullptr), &QuietError);
}

} // namespace
