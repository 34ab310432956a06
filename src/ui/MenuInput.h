#pragma once
// What the player did to an open menu in one frame, whatever the device: the menu reads only
// this, so keys, the mouse and the pad all reach it through one place.

#include "core/MathTypes.h"

#include <optional>

struct MenuInput {
    /// Presses of each direction this frame: a quick player (or a held key's repeats) may get
    /// several into one frame, and each moves one step.
    int up = 0;
    int down = 0;
    int left = 0;
    int right = 0;
    bool accept = false;
    bool back = false;
    /// Wheel notches this frame, positive away from the player.
    int wheel = 0;
    /// The cursor in window pixels from the bottom-left corner, as the item rectangles are;
    /// nothing while no pointer is over the window.
    std::optional<Vec2> cursor;
    /// The primary mouse button went down this frame.
    bool click = false;
    /// The first input code (see PadFrame.h) pressed this frame, keys, mouse buttons and pad
    /// buttons alike: a binding waiting for a press takes it.
    std::optional<int> pressed;
};

/// Where an item of the open page was drawn, in window pixels from the bottom-left corner.
struct MenuRect {
    int item = -1;
    float x0 = 0.0f;
    float y0 = 0.0f;
    float x1 = 0.0f;
    float y1 = 0.0f;

    bool Contains(Vec2 p) const { return p.x >= x0 && p.x < x1 && p.y >= y0 && p.y < y1; }
};
