#pragma once
// One thing a demo frame stores in the order it came: an action pressed, the window gaining or
// losing the focus or taking a new size, or (in demos of the first format) a key or mouse button
// going down or up as the window reported it.

#include <cstdint>

enum class InputEventKind : std::uint8_t {
    Key = 0,
    MouseButton = 1,
    WindowSize = 2,
    /// The window gained (b = 1) or lost (b = 0) the keyboard focus; a is 0.
    Focus = 3,
    /// An action pressed: a is the Action, b is 1.
    ActionPressed = 4,
};

struct InputEvent {
    InputEventKind kind = InputEventKind::Key;
    /// Key or button: the GLFW code. Window size: the width. Action: the action.
    std::int32_t a = 0;
    /// Key or button: 1 pressed, 0 released. Window size: the height.
    std::int32_t b = 0;

    bool operator==(const InputEvent&) const = default;
};
