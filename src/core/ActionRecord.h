#pragma once
// One frame of what the player did, in the game's terms: the actions held, the actions pressed in
// the order they came, the window's focus changes among them, and the view's turn. The game reads
// only this; a demo stores it and a replay hands the stored one back, so the same records make the
// same game whatever keys, pad or settings produced them.

#include "core/Action.h"

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr std::uint32_t ActionBit(Action action) {
    return std::uint32_t{1} << static_cast<unsigned>(action);
}

/// The window gained or lost the focus after `afterPresses` of the frame's presses.
struct FocusChange {
    std::uint32_t afterPresses = 0;
    bool focused = false;

    bool operator==(const FocusChange&) const = default;
};

struct ActionRecord {
    /// Presses and focus changes one frame may hold together; the input layer keeps the rest from
    /// the game (and says so), so whatever a demo recorded, it can replay.
    static constexpr std::size_t kMaxEvents = 4095;

    /// ActionBit of every action held at the start of the frame's steps.
    std::uint32_t held = 0;
    std::vector<Action> pressed;
    std::vector<FocusChange> focus;
    /// Radians to turn the view by, sensitivity and invert applied: positive yaw turns left,
    /// positive pitch looks up.
    float turnYaw = 0.0f;
    float turnPitch = 0.0f;

    bool Holds(Action action) const { return (held & ActionBit(action)) != 0; }
    bool Pressed(Action action) const {
        for (Action each : pressed)
            if (each == action)
                return true;
        return false;
    }
    std::size_t EventCount() const { return pressed.size() + focus.size(); }

    bool operator==(const ActionRecord&) const = default;
};
