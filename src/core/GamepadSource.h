#pragma once
// Where the gamepad reader gets its pads from: GLFW's joysticks in the game, a script in the
// tests. Slots are GLFW's joystick ids; a slot counts only when it holds a joystick with a
// gamepad mapping, so every pad reads as the same buttons and axes.

// Only GLFW's pad types are wanted here; GL itself comes from GLEW wherever it is used.
#ifndef GLFW_INCLUDE_NONE
#define GLFW_INCLUDE_NONE
#endif
#include <GLFW/glfw3.h>
#include <string>

class GamepadSource {
public:
    static constexpr int kSlots = GLFW_JOYSTICK_LAST + 1;

    virtual ~GamepadSource() = default;

    /// Called once at the start of each frame the reader reads, before any other call.
    virtual void Poll() {}
    /// Slot `slot` holds a gamepad now.
    virtual bool IsGamepad(int slot) const = 0;
    /// The pad's name as its mapping gives it ("" when it has none).
    virtual std::string Name(int slot) const = 0;
    /// Fills `state` with the pad's buttons and axes; false, and `state` unusable, when the
    /// slot holds no gamepad.
    virtual bool ReadState(int slot, GLFWgamepadstate& state) const = 0;
};
