#include "core/InputMouseLook.h"

#include "core/ConfigHandler.h"

MouseLook MouseLook::FromSettings(const ConfigHandler& config) {
    MouseLook look;
    look.sensitivity =
        config.GetFloatInRange("Controls.mouseSensitivity", 1.0f, -kMaxSensitivity, kMaxSensitivity) *
        kSensitivityPerUnit;
    look.invertY = config.GetBool("Controls.invertY", false);
    return look;
}

ViewTurn CursorTurn(double x, double y, int w, int h, const MouseLook& look) {
    // Whole pixels only: the sub-pixel jitter of a recentred cursor must not drift the view.
    int dy = static_cast<int>(static_cast<double>(h / 2) - y);
    if (look.invertY)
        dy = -dy;
    const int dx = static_cast<int>(static_cast<double>(w / 2) - x);
    // The same float products whichever way the turn is applied later, so a recorded turn and a
    // measured one move the view to the same bit.
    return {static_cast<float>(dx) * look.sensitivity, static_cast<float>(dy) * look.sensitivity};
}
