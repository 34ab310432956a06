#pragma once
// Mouse look as the input layer measures it: the cursor's offset from the window's centre, in
// whole pixels, turned into radians by the sensitivity, with the vertical axis inverted if the
// player wants it.

class ConfigHandler;

struct MouseLook {
    /// Radians per pixel of mouse travel for a `Controls.mouseSensitivity` of 1.
    static constexpr float kSensitivityPerUnit = 0.0015f;
    /// Already nearly nine degrees a pixel; a huge setting would overflow the turn into NaN.
    static constexpr float kMaxSensitivity = 100.0f;

    /// Radians per pixel.
    float sensitivity = kSensitivityPerUnit;
    /// Moving the mouse up looks down.
    bool invertY = false;

    /// `Controls.mouseSensitivity` (default 1) and `Controls.invertY` (default false).
    static MouseLook FromSettings(const ConfigHandler& config);
};

struct ViewTurn {
    float yaw = 0.0f;
    float pitch = 0.0f;
};

/// The turn for a cursor at (x, y) in a w x h window: truncated pixel offsets from the integer
/// centre times the sensitivity.
ViewTurn CursorTurn(double x, double y, int w, int h, const MouseLook& look);
