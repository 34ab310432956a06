#pragma once
// Every key and mouse button the game answers to, named by what it does: the one place to
// read or change a binding. Codes are GLFW's, as the input handler receives them.

// Only the key names are wanted here; GL itself comes from GLEW wherever it is used.
#ifndef GLFW_INCLUDE_NONE
#define GLFW_INCLUDE_NONE
#endif
#include <GLFW/glfw3.h>

namespace KeyBindings {

inline constexpr int kMaximize = GLFW_KEY_F1;
inline constexpr int kCollisionView = GLFW_KEY_F2;
inline constexpr int kToggleText = GLFW_KEY_F3;
inline constexpr int kQuit = GLFW_KEY_ESCAPE;
/// Pauses a running game, or resumes it.
inline constexpr int kPause = GLFW_KEY_P;
/// Leaves the start screen; the same key jumps once a game runs.
inline constexpr int kStart = GLFW_KEY_SPACE;
inline constexpr int kJump = GLFW_KEY_SPACE;
inline constexpr int kFire = GLFW_MOUSE_BUTTON_LEFT;
inline constexpr int kForward = GLFW_KEY_W;
inline constexpr int kBack = GLFW_KEY_S;
inline constexpr int kLeft = GLFW_KEY_A;
inline constexpr int kRight = GLFW_KEY_D;

/// The keys the game asks about every step (rather than acting on their press): a demo stores
/// which of them are held in each frame.
inline constexpr int kHeldKeys[] = {kForward, kBack, kLeft, kRight};

/// Keys that change only how the game is shown (or end it): a replay leaves them to the viewer.
constexpr bool IsViewKey(int key) {
    return key == kMaximize || key == kCollisionView || key == kToggleText || key == kQuit;
}

} // namespace KeyBindings
