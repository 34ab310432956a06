#pragma once
// One thing the player did that the game reacts to at once, as the window reported it: a key
// or mouse button going down or up, the window taking a new size, or gaining or losing the focus. Demos store
// these in the order they came.

#include <cstdint>

enum class InputEventKind : std::uint8_t {
    Key = 0,
    MouseButton = 1,
    WindowSize = 2,
    /// The window gained (b = 1) or lost (b = 0) the keyboard focus; a is 0.
    Focus = 3,
};

struct InputEvent {
    InputEventKind kind = InputEventKind::Key;
    /// Key or button: the GLFW code. Window size: the width.
    std::int32_t a = 0;
    /// Key or button: 1 pressed, 0 released. Window size: the height.
    std::int32_t b = 0;

    bool operator==(const InputEvent&) const = default;
};
