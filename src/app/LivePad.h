#pragma once
// The gamepad of a running game: GLFW's pads read once a frame into the input layer, the
// player's mapping file loaded at start, the stick settings followed when they change.

#include "core/GamepadGlfwSource.h"
#include "core/GamepadReader.h"
#include "core/PadFrame.h"

class LivePad {
public:
    static LivePad& GetInstance();

    /// Loads the player's gamecontrollerdb.txt, if there is one; after glfwInit.
    void Start();
    /// This frame of the pad; `dt` is the frame's real duration, which scales the view turn.
    PadFrame Read(float dt) { return reader.Read(dt); }
    void ReloadSettings() { reader.ReloadSettings(); }

private:
    LivePad() : reader(source) {}

    GamepadGlfwSource source;
    GamepadReader reader;
};
