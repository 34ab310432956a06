#include "core/GamepadReader.h"

#include "core/ConfigHandler.h"

#include <iostream>

namespace {

constexpr StickDirection kDirectionOrder[] = {StickDirection::Up, StickDirection::Down, StickDirection::Left,
                                              StickDirection::Right};

/// `value` past the threshold that applies: the lower one while it is already down.
bool Hysteresis(bool wasDown, float value) {
    return wasDown ? value >= GamepadReader::kUpAt : value > GamepadReader::kDownAt;
}

} // namespace

GamepadReader::GamepadReader(GamepadSource& source)
    : GamepadReader(source, GamepadLook::FromConfig(ConfigHandler::GetInstance())) {}

GamepadReader::GamepadReader(GamepadSource& source, const GamepadLook& look) : source(source), look(look) {}

void GamepadReader::ReloadSettings() {
    look = GamepadLook::FromConfig(ConfigHandler::GetInstance());
}

void GamepadReader::Forget() {
    slot = kNoPad;
    name.clear();
    down.fill(false);
    stickDown.fill(false);
}

PadFrame GamepadReader::Read(float dt) {
    source.Poll();
    PadFrame frame;
    GLFWgamepadstate state{};
    if (slot != kNoPad) {
        if (source.IsGamepad(slot) && source.ReadState(slot, state)) {
            Fill(state, dt, frame);
            return frame;
        }
        std::cout << "Gamepad disconnected: " << name << std::endl;
        Forget();
        // Another pad, if any, is taken up next frame: this one's frame says only that it went.
        frame.disconnected = true;
        return frame;
    }
    for (int candidate = 0; candidate < GamepadSource::kSlots; ++candidate) {
        if (!source.IsGamepad(candidate) || !source.ReadState(candidate, state))
            continue;
        slot = candidate;
        name = source.Name(candidate);
        std::cout << "Gamepad connected: " << name << std::endl;
        // Whatever is held as the pad arrives counts as pressed now: it was up before.
        Fill(state, dt, frame);
        break;
    }
    return frame;
}

void GamepadReader::Fill(const GLFWgamepadstate& state, float dt, PadFrame& frame) {
    frame.connected = true;
    // GLFW gives a trigger from -1 at rest to 1 fully pulled; its travel is what a player feels.
    const float travel[kTriggers] = {(state.axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] + 1.0f) * 0.5f,
                                     (state.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] + 1.0f) * 0.5f};
    // The codes follow the buttons' numbers with the triggers right after the last one, so the
    // order of presses and the held set come out in one stable order.
    static_assert(InputCode::kPadLeftTrigger == InputCode::Pad(kButtons));
    static_assert(InputCode::kPadRightTrigger == InputCode::Pad(kButtons + 1));
    for (int input = 0; input < kButtons + kTriggers; ++input) {
        const bool now = input < kButtons ? state.buttons[input] == GLFW_PRESS
                                          : Hysteresis(down[input], travel[input - kButtons]);
        if (now && !down[input])
            frame.pressed.push_back(InputCode::Pad(input));
        if (now)
            frame.held.push_back(InputCode::Pad(input));
        down[input] = now;
    }

    const float x = state.axes[GLFW_GAMEPAD_AXIS_LEFT_X];
    const float y = state.axes[GLFW_GAMEPAD_AXIS_LEFT_Y];
    // In the order of kDirectionOrder; GLFW's y is negative with the stick pushed forward.
    const float push[kDirections] = {-y, y, -x, x};
    for (int direction = 0; direction < kDirections; ++direction) {
        const bool now = Hysteresis(stickDown[direction], push[direction]);
        if (now && !stickDown[direction])
            frame.stickFlicks.push_back(kDirectionOrder[direction]);
        if (now)
            frame.stickHeld.push_back(kDirectionOrder[direction]);
        stickDown[direction] = now;
    }

    look.Turn(state.axes[GLFW_GAMEPAD_AXIS_RIGHT_X], state.axes[GLFW_GAMEPAD_AXIS_RIGHT_Y], dt, frame.turnYaw,
              frame.turnPitch);
}
