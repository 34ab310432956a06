// The input layer turns what the window and the pad report into one record a frame, and hands a
// record to the game's handlers in its order.
#include "core/InputHandler.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <string>

namespace {

// The handlers are process-wide: each test registers on actions no other test of this process uses.

TEST(InputHandlerTest, HandlersOfOneActionRunInRegistrationOrder) {
    InputHandler& input = InputHandler::GetInstance();
    std::string order;
    input.RegisterAction(Action::MenuLeft, [&] { order += "first "; });
    input.RegisterAction(Action::MenuLeft, [&] { order += "second "; });
    input.Press(Action::MenuLeft);
    EXPECT_EQ(order, "first second ");
    input.Press(Action::MenuLeft);
    EXPECT_EQ(order, "first second first second ");
}

TEST(InputHandlerTest, PressesBecomeTheFramesActionsInTheOrderTheyCame) {
    InputHandler& input = InputHandler::GetInstance();
    std::string order;
    input.RegisterAction(Action::Jump, [&] { order += "jump "; });
    input.RegisterAction(Action::Start, [&] { order += "start "; });
    input.RegisterAction(Action::Pause, [&] { order += "pause "; });
    input.RegisterAction(Action::Shoot, [&] { order += "shoot "; });
    input.RegisterFocusCallback([&](bool focused) { order += focused ? "focus " : "blur "; });

    // Space serves two states: it asks for both of its actions, jump first. Repeats and releases
    // ask for nothing; W pressed and kept down is held, P let go again is not.
    input.OnKey(GLFW_KEY_SPACE, GLFW_PRESS);
    input.OnKey(GLFW_KEY_SPACE, GLFW_REPEAT);
    input.OnKey(GLFW_KEY_SPACE, GLFW_RELEASE);
    input.OnMouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE);
    input.OnKey(GLFW_KEY_P, GLFW_PRESS);
    input.OnFocus(false);
    input.OnKey(GLFW_KEY_P, GLFW_RELEASE);
    input.OnMouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS);
    input.OnKey(GLFW_KEY_W, GLFW_PRESS);
    EXPECT_EQ(order, "") << "nothing acts before the frame's record is applied";

    const ActionRecord record = input.BuildRecord();
    EXPECT_EQ(record.pressed, (std::vector<Action>{Action::Jump, Action::Start, Action::Pause, Action::Shoot,
                                                   Action::Forward}));
    EXPECT_EQ(record.focus, (std::vector<FocusChange>{{3, false}}));
    EXPECT_EQ(record.held, ActionBit(Action::Forward) | ActionBit(Action::Shoot));
    input.Apply(record);
    EXPECT_EQ(order, "jump start pause blur shoot ");
    EXPECT_TRUE(input.IsHeld(Action::Forward));
    EXPECT_FALSE(input.IsHeld(Action::Pause));

    // Each press acts once; letting go ends the hold with the next record.
    input.OnKey(GLFW_KEY_W, GLFW_RELEASE);
    input.OnMouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE);
    input.Apply(input.BuildRecord());
    EXPECT_EQ(order, "jump start pause blur shoot ");
    EXPECT_FALSE(input.IsHeld(Action::Forward));

    // Inputs bound to nothing, and codes no input has, ask for nothing.
    input.OnKey(GLFW_KEY_Q, GLFW_PRESS);
    input.OnKey(-1, GLFW_PRESS);
    input.OnKey(5000, GLFW_PRESS);
    input.OnMouseButton(400, GLFW_PRESS);
    const ActionRecord nothing = input.BuildRecord();
    EXPECT_TRUE(nothing.pressed.empty());
    EXPECT_EQ(nothing.held, 0u);
    input.OnKey(GLFW_KEY_Q, GLFW_RELEASE);
}

TEST(InputHandlerTest, APadFrameWalksPressesTurnsAndPausesWhenThePadGoesAway) {
    InputHandler& input = InputHandler::GetInstance();
    bool running = true;
    input.SetPauseWanted([&] { return running; });

    PadFrame pad;
    pad.connected = true;
    pad.pressed = {InputCode::kPadRightTrigger, InputCode::Pad(GLFW_GAMEPAD_BUTTON_B)};
    pad.held = {InputCode::kPadRightTrigger};
    pad.stickHeld = {StickDirection::Up, StickDirection::Left};
    pad.stickFlicks = {StickDirection::Down};
    pad.turnYaw = 0.25f;
    pad.turnPitch = -0.125f;
    input.SetPadFrame(pad);
    input.MoveSimulatedMouse(-10, 4);
    ActionRecord record = input.BuildRecord();
    EXPECT_EQ(record.pressed, (std::vector<Action>{Action::Shoot, Action::MenuBack, Action::MenuDown}));
    EXPECT_EQ(record.held, ActionBit(Action::Shoot) | ActionBit(Action::Forward) | ActionBit(Action::Left));
    // The mouse's 10 px left and 4 px down at the default look, and the stick's turn on top.
    EXPECT_EQ(record.turnYaw, 10.0f * MouseLook::kSensitivityPerUnit + 0.25f);
    EXPECT_EQ(record.turnPitch, -4.0f * MouseLook::kSensitivityPerUnit - 0.125f);

    // A frame is used once: without a new one the pad holds nothing.
    EXPECT_EQ(input.BuildRecord().held, 0u);

    // Pulled out during play: nothing stays held and the game pauses; on the start screen (or
    // already paused) there is nothing to pause.
    pad.disconnected = true;
    input.SetPadFrame(pad);
    record = input.BuildRecord();
    EXPECT_EQ(record.held, 0u);
    EXPECT_TRUE(record.Pressed(Action::Pause));
    running = false;
    input.SetPadFrame(pad);
    EXPECT_FALSE(input.BuildRecord().Pressed(Action::Pause));
    input.SetPauseWanted({});
}

TEST(InputHandlerTest, SimulatedActionsCountAsHeld) {
    InputHandler& input = InputHandler::GetInstance();
    EXPECT_FALSE(input.IsHeld(Action::Right));
    input.SetSimulatedAction(Action::Right, true);
    EXPECT_TRUE(input.IsHeld(Action::Right));
    input.SetSimulatedAction(Action::Right, false);
    EXPECT_FALSE(input.IsHeld(Action::Right));
}

} // namespace
