#pragma once
// What the gamepad did in one frame, as the input layer takes it: the buttons and triggers that
// went down (as input codes the bindings can name), the left stick as a walk, the right stick as
// a view turn already shaped by its sensitivity, dead zone and curve.

#include <vector>

/// One number space for everything a binding can name: GLFW key codes below kMouseBase, mouse
/// buttons from kMouseBase, gamepad buttons (GLFW_GAMEPAD_BUTTON_*) from kPadBase, then the two
/// triggers read as buttons.
namespace InputCode {
inline constexpr int kMouseBase = 1000;
inline constexpr int kPadBase = 2000;
inline constexpr int kPadLeftTrigger = kPadBase + 15;
inline constexpr int kPadRightTrigger = kPadBase + 16;
/// One past the last code a binding may hold.
inline constexpr int kEnd = kPadBase + 17;

constexpr int Mouse(int button) {
    return kMouseBase + button;
}
constexpr int Pad(int button) {
    return kPadBase + button;
}
constexpr bool IsKey(int code) {
    return code >= 0 && code < kMouseBase;
}
constexpr bool IsMouse(int code) {
    return code >= kMouseBase && code < kPadBase;
}
constexpr bool IsPad(int code) {
    return code >= kPadBase && code < kEnd;
}
} // namespace InputCode

/// The left stick pushed past half way in a direction: walking holds it, and its first crossing
/// is a flick that moves a menu's selection.
enum class StickDirection { Up, Down, Left, Right };

struct PadFrame {
    /// A pad is connected and read this frame.
    bool connected = false;
    /// The pad went away this frame: the game pauses and no action stays held.
    bool disconnected = false;
    /// Input codes (buttons, triggers) that went down this frame, in the order they are read.
    std::vector<int> pressed;
    /// Input codes held down at the end of this frame.
    std::vector<int> held;
    /// Left stick directions held (past half way, with hysteresis) and those first crossed now.
    std::vector<StickDirection> stickHeld;
    std::vector<StickDirection> stickFlicks;
    /// The right stick's turn over this frame in radians: sensitivity, invert, dead zone and
    /// curve applied. Positive yaw turns left, positive pitch looks up, as the mouse does.
    float turnYaw = 0.0f;
    float turnPitch = 0.0f;
};
