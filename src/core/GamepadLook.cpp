#include "core/GamepadLook.h"

#include "core/ConfigHandler.h"

#include <algorithm>
#include <cmath>

GamepadLook GamepadLook::FromConfig(const ConfigHandler& config) {
    GamepadLook look;
    // Defaults and ranges from the list of settings, which the menus' sliders follow too.
    look.speed = config.GetFloatSetting("Gamepad.lookSpeed");
    look.invertY = config.GetBoolSetting("Gamepad.invertY");
    look.deadZone = config.GetFloatSetting("Gamepad.deadZone");
    look.curve = config.GetFloatSetting("Gamepad.curve");
    return look;
}

void GamepadLook::Turn(float x, float y, float dt, float& yaw, float& pitch) const {
    yaw = 0.0f;
    pitch = 0.0f;
    // A driver's glitch, or a clock's, must not throw the view to NaN for good.
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(dt))
        return;
    // Radial, so a diagonal is as easy to hold still as a straight push; round sticks in square
    // gates reach past 1 in the corners, which would turn faster than full deflection.
    const float length = std::hypot(x, y);
    if (length <= deadZone)
        return;
    // Rescaled from the dead zone's edge, so the slowest turn is as slow as the curve allows
    // instead of jumping to the dead zone's worth.
    const float past = (std::min(length, 1.0f) - deadZone) / (1.0f - deadZone);
    const float scale = std::pow(past, curve) * speed * dt / length;
    // The stick pushed right turns right and pushed forward (negative y) looks up, as the
    // mouse moved right or forward does.
    yaw = -x * scale;
    pitch = (invertY ? y : -y) * scale;
}
