#include "core/InputHandler.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <string>

namespace {

// Codes no other test binds, since the input bindings are process-wide.
constexpr int kCode = 1000;

TEST(InputHandlerTest, ActionsOfOneCodeRunInRegistrationOrder) {
    InputHandler& input = InputHandler::GetInstance();
    std::string order;
    input.RegisterCallback(kCode, [&] { order += "jump "; });
    input.RegisterCallback(kCode, [&] { order += "start "; });
    input.Dispatch(kCode);
    EXPECT_EQ(order, "jump start ");
    input.Dispatch(kCode);
    EXPECT_EQ(order, "jump start jump start ");
}

TEST(InputHandlerTest, OnlyPressesDispatch) {
    InputHandler& input = InputHandler::GetInstance();
    int keyPresses = 0, buttonPresses = 0;
    input.RegisterCallback(kCode + 1, [&] { ++keyPresses; });
    input.RegisterCallback(GLFW_MOUSE_BUTTON_LEFT, [&] { ++buttonPresses; });
    input.OnKey(kCode + 1, GLFW_PRESS);
    input.OnKey(kCode + 1, GLFW_REPEAT);
    input.OnKey(kCode + 1, GLFW_RELEASE);
    EXPECT_EQ(keyPresses, 1);
    input.OnMouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE);
    input.OnMouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS);
    EXPECT_EQ(buttonPresses, 1);
    // A key numbered like the mouse button cannot exist, but its code would still be its own.
    EXPECT_EQ(keyPresses, 1);
}

TEST(InputHandlerTest, UnboundCodesDoNothing) {
    InputHandler& input = InputHandler::GetInstance();
    EXPECT_EQ(input.BindingCount(kCode + 2), 0u);
    input.Dispatch(kCode + 2);
    input.OnKey(-1, GLFW_PRESS);
    EXPECT_EQ(input.BindingCount(kCode + 2), 0u) << "dispatching must not create a binding";
}

TEST(InputHandlerTest, SimulatedKeysCountAsHeld) {
    InputHandler& input = InputHandler::GetInstance();
    EXPECT_FALSE(input.IsKeyDown(GLFW_KEY_W));
    input.SetSimulatedKey(GLFW_KEY_W, true);
    EXPECT_TRUE(input.IsKeyDown(GLFW_KEY_W));
    input.SetSimulatedKey(GLFW_KEY_W, false);
    EXPECT_FALSE(input.IsKeyDown(GLFW_KEY_W));
}

} // namespace
