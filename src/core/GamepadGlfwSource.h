#pragma once
// The pads GLFW sees, through its gamepad API: its built-in mappings plus any loaded from the
// player's mapping file. GLFW must be initialised; the frame loop's event polling keeps the
// connections current.

#include "core/GamepadSource.h"

class GamepadGlfwSource final : public GamepadSource {
public:
    bool IsGamepad(int slot) const override;
    std::string Name(int slot) const override;
    bool ReadState(int slot, GLFWgamepadstate& state) const override;
};
