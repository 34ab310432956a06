#pragma once
// Turns the first connected gamepad into one PadFrame a frame: the buttons and triggers as input
// codes (pressed in a fixed order, held), the left stick as held directions and flicks, the
// right stick as this frame's view turn. The pad in use stays in use while it is connected.

#include "core/GamepadLook.h"
#include "core/GamepadSource.h"
#include "core/PadFrame.h"

#include <array>
#include <string>

class GamepadReader {
public:
    /// A trigger, or the left stick in one direction, goes down past kDownAt and comes up only
    /// below kUpAt, so a hand resting near half way does not chatter.
    static constexpr float kDownAt = 0.5f;
    static constexpr float kUpAt = 0.3f;

    /// Reads its look settings from the [Gamepad] settings. `source` must outlive the reader.
    explicit GamepadReader(GamepadSource& source);
    GamepadReader(GamepadSource& source, const GamepadLook& look);

    /// Polls the source once and gives this frame of the pad; `dt` is the frame's duration in
    /// seconds, which scales the view turn. A pad coming or going prints one line
    /// ("Gamepad connected: <name>", "Gamepad disconnected: <name>"); the frame of a disconnect
    /// holds nothing.
    PadFrame Read(float dt);

    /// Takes the [Gamepad] settings again, after they were changed.
    void ReloadSettings();
    void SetLook(const GamepadLook& newLook) { look = newLook; }
    const GamepadLook& Look() const { return look; }

private:
    static constexpr int kButtons = GLFW_GAMEPAD_BUTTON_LAST + 1;
    static constexpr int kTriggers = 2;
    static constexpr int kDirections = 4;
    static constexpr int kNoPad = -1;

    void Forget();
    void Fill(const GLFWgamepadstate& state, float dt, PadFrame& frame);

    GamepadSource& source;
    GamepadLook look;
    int slot = kNoPad;
    std::string name;
    std::array<bool, kButtons + kTriggers> down{};
    std::array<bool, kDirections> stickDown{};
};
