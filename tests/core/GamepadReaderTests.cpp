// The gamepad as the input layer sees it, played from a script: connections said once, presses in
// a fixed order, thresholds that do not chatter, and a view turn shaped by the pad's settings.

#include "core/ConfigHandler.h"
#include "core/GamepadReader.h"
#include "core/GamepadScriptedSource.h"
#include "support/ConsoleCapture.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace {

using testing_support::ConsoleCapture;
using Codes = std::vector<int>;
using Directions = std::vector<StickDirection>;

constexpr float kDt = 0.5f;
constexpr int kA = InputCode::Pad(GLFW_GAMEPAD_BUTTON_A);
constexpr int kB = InputCode::Pad(GLFW_GAMEPAD_BUTTON_B);
constexpr int kStart = InputCode::Pad(GLFW_GAMEPAD_BUTTON_START);
constexpr int kLT = InputCode::kPadLeftTrigger;
constexpr int kRT = InputCode::kPadRightTrigger;

/// A pad at rest: GLFW gives released triggers as -1.
ScriptedPad Pad(int slot, const char* name) {
    ScriptedPad pad{slot, name, {}};
    pad.state.axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] = -1.0f;
    pad.state.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = -1.0f;
    return pad;
}

/// The trigger's axis for a share of its travel.
float Travel(float share) {
    return share * 2.0f - 1.0f;
}

class GamepadReaderTest : public ::testing::Test {
protected:
    /// One frame with exactly `pads` connected, and what the console said during it.
    PadFrame Step(std::vector<ScriptedPad> pads) {
        source.Push(std::move(pads));
        ConsoleCapture console;
        PadFrame frame = reader.Read(kDt);
        said = console.Text();
        return frame;
    }
    /// The turn of one frame with the right stick at (x, y).
    PadFrame Look(float x, float y) {
        ScriptedPad pad = Pad(2, "Test Pad");
        pad.state.axes[GLFW_GAMEPAD_AXIS_RIGHT_X] = x;
        pad.state.axes[GLFW_GAMEPAD_AXIS_RIGHT_Y] = y;
        return Step({pad});
    }

    GamepadScriptedSource source;
    // 3 rad/s, dead zone 0.15, squared response.
    GamepadReader reader{source, GamepadLook{}};
    std::string said;
};

TEST_F(GamepadReaderTest, APadIsReadFromConnectionToDisconnection) {
    PadFrame frame = Step({});
    EXPECT_FALSE(frame.connected);
    EXPECT_EQ(said, "");

    ScriptedPad pad = Pad(2, "Test Pad");
    frame = Step({pad});
    EXPECT_EQ(said, "Gamepad connected: Test Pad\n");
    EXPECT_TRUE(frame.connected);
    EXPECT_TRUE(frame.pressed.empty()) << "a pad at rest presses nothing";
    EXPECT_TRUE(frame.held.empty());
    EXPECT_EQ(frame.turnYaw, 0.0f);

    // Presses of one frame come in the buttons' order (triggers last), whatever the hand did.
    pad.state.buttons[GLFW_GAMEPAD_BUTTON_START] = GLFW_PRESS;
    pad.state.buttons[GLFW_GAMEPAD_BUTTON_A] = GLFW_PRESS;
    pad.state.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = Travel(0.6f);
    frame = Step({pad});
    EXPECT_EQ(frame.pressed, (Codes{kA, kStart, kRT}));
    EXPECT_EQ(frame.held, (Codes{kA, kStart, kRT}));
    EXPECT_EQ(said, "");

    // A second pad arriving changes nothing: the one in use stays in use, and says nothing new.
    ScriptedPad other = Pad(0, "Other Pad");
    other.state.buttons[GLFW_GAMEPAD_BUTTON_B] = GLFW_PRESS;
    frame = Step({other, pad});
    EXPECT_EQ(said, "");
    EXPECT_TRUE(frame.pressed.empty()) << "held buttons press once";
    EXPECT_EQ(frame.held, (Codes{kA, kStart, kRT}));

    // Triggers: down past half way, up only below 0.3 of their travel.
    pad.state.buttons[GLFW_GAMEPAD_BUTTON_A] = GLFW_RELEASE;
    pad.state.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = Travel(0.4f);
    pad.state.axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] = Travel(0.45f);
    frame = Step({other, pad});
    EXPECT_EQ(frame.held, (Codes{kStart, kRT})) << "0.4 keeps a pulled trigger down, 0.45 does not pull one";
    pad.state.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = Travel(0.25f);
    pad.state.axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] = Travel(0.55f);
    frame = Step({other, pad});
    EXPECT_EQ(frame.pressed, (Codes{kLT}));
    EXPECT_EQ(frame.held, (Codes{kStart, kLT}));
    pad.state.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = Travel(0.45f);
    frame = Step({other, pad});
    EXPECT_TRUE(frame.pressed.empty()) << "a released trigger needs half its travel again";

    // The left stick: a flick on the first crossing of half way, held down to 0.3.
    pad.state.axes[GLFW_GAMEPAD_AXIS_LEFT_X] = 0.45f;
    frame = Step({other, pad});
    EXPECT_TRUE(frame.stickHeld.empty());
    pad.state.axes[GLFW_GAMEPAD_AXIS_LEFT_X] = 0.6f;
    pad.state.axes[GLFW_GAMEPAD_AXIS_LEFT_Y] = -0.7f;
    frame = Step({other, pad});
    EXPECT_EQ(frame.stickFlicks, (Directions{StickDirection::Up, StickDirection::Right})) << "forward is up";
    EXPECT_EQ(frame.stickHeld, (Directions{StickDirection::Up, StickDirection::Right}));
    pad.state.axes[GLFW_GAMEPAD_AXIS_LEFT_X] = 0.35f;
    pad.state.axes[GLFW_GAMEPAD_AXIS_LEFT_Y] = -0.2f;
    frame = Step({other, pad});
    EXPECT_TRUE(frame.stickFlicks.empty());
    EXPECT_EQ(frame.stickHeld, (Directions{StickDirection::Right}));
    pad.state.axes[GLFW_GAMEPAD_AXIS_LEFT_X] = -0.25f;
    frame = Step({other, pad});
    EXPECT_TRUE(frame.stickHeld.empty());
    pad.state.axes[GLFW_GAMEPAD_AXIS_LEFT_X] = -0.8f;
    frame = Step({other, pad});
    EXPECT_EQ(frame.stickFlicks, (Directions{StickDirection::Left}));

    // Disconnected: one line, and a frame that holds nothing although the pad's last state did.
    frame = Step({other});
    EXPECT_EQ(said, "Gamepad disconnected: Test Pad\n");
    EXPECT_TRUE(frame.disconnected);
    EXPECT_FALSE(frame.connected);
    EXPECT_TRUE(frame.held.empty() && frame.pressed.empty() && frame.stickHeld.empty());

    // The pad still there is taken up next; what it holds as it arrives is a press.
    frame = Step({other});
    EXPECT_EQ(said, "Gamepad connected: Other Pad\n");
    EXPECT_FALSE(frame.disconnected);
    EXPECT_EQ(frame.pressed, (Codes{kB}));
}

TEST_F(GamepadReaderTest, TheRightStickTurnsThroughDeadZoneCurveAndInvert) {
    Step({Pad(2, "Test Pad")});

    // Inside the dead zone, diagonals included, not the smallest turn: none.
    PadFrame frame = Look(0.1f, 0.1f);
    EXPECT_EQ(frame.turnYaw, 0.0f);
    EXPECT_EQ(frame.turnPitch, 0.0f);
    // Just past its edge the turn starts from zero, not from the dead zone's worth.
    frame = Look(0.16f, 0.0f);
    EXPECT_LT(std::abs(frame.turnYaw), 0.001f);
    EXPECT_LT(frame.turnYaw, 0.0f);

    // Full right turns right at the full speed for the frame's time: 3 rad/s for 0.5 s.
    frame = Look(1.0f, 0.0f);
    EXPECT_FLOAT_EQ(frame.turnYaw, -1.5f);
    EXPECT_EQ(frame.turnPitch, 0.0f);
    // Half of the travel past the dead zone, squared: a quarter of the speed; forward looks up.
    frame = Look(0.0f, -0.575f);
    EXPECT_NEAR(frame.turnPitch, 0.375f, 1e-5f);
    EXPECT_EQ(frame.turnYaw, 0.0f);
    // A corner reaching past the stick's circle turns no faster than full deflection.
    frame = Look(-1.0f, 1.0f);
    EXPECT_NEAR(std::hypot(frame.turnYaw, frame.turnPitch), 1.5f, 1e-5f);
    EXPECT_GT(frame.turnYaw, 0.0f);
    EXPECT_LT(frame.turnPitch, 0.0f);
    // A driver's NaN turns nothing.
    frame = Look(std::nanf(""), 0.5f);
    EXPECT_EQ(frame.turnYaw, 0.0f);
    EXPECT_EQ(frame.turnPitch, 0.0f);

    GamepadLook look;
    look.invertY = true;
    look.curve = 1.0f;
    reader.SetLook(look);
    frame = Look(0.0f, -0.575f);
    EXPECT_NEAR(frame.turnPitch, -0.75f, 1e-5f) << "inverted and linear";
}

TEST_F(GamepadReaderTest, SettingsAreReadAgainOnRequest) {
    const std::string file =
        (std::filesystem::temp_directory_path() / ("korvane_gamepad_" + std::to_string(::getpid()) + ".toml"))
            .string();
    std::ofstream(file) << "[Gamepad]\nlookSpeed = 6\ninvertY = true\ndeadZone = 0.95\ncurve = 1.5\n";
    ConfigHandler::GetInstance().Load(file);
    std::filesystem::remove(file);
    ConsoleCapture console;
    reader.ReloadSettings();
    // An unusable dead zone falls back with one line; the others are taken as given.
    EXPECT_EQ(console.Text(), "Gamepad.deadZone = 0.95 cannot be used (allowed 0 to 0.9); using 0.15\n");
    EXPECT_EQ(reader.Look().speed, 6.0f);
    EXPECT_TRUE(reader.Look().invertY);
    EXPECT_EQ(reader.Look().deadZone, GamepadLook::kDefaultDeadZone);
    EXPECT_EQ(reader.Look().curve, 1.5f);
}

} // namespace
