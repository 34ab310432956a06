#include "core/GamepadGlfwSource.h"

bool GamepadGlfwSource::IsGamepad(int slot) const {
    // A joystick without a mapping has no fixed meaning for its buttons: it is not offered.
    return glfwJoystickPresent(slot) == GLFW_TRUE && glfwJoystickIsGamepad(slot) == GLFW_TRUE;
}

std::string GamepadGlfwSource::Name(int slot) const {
    const char* name = glfwGetGamepadName(slot);
    return name != nullptr ? name : "";
}

bool GamepadGlfwSource::ReadState(int slot, GLFWgamepadstate& state) const {
    return glfwGetGamepadState(slot, &state) == GLFW_TRUE;
}
