#pragma once
// Pads played from a script, one list of connected pads per frame: the reader's behaviour can be
// checked, and a scene driven, without a device.

#include "core/GamepadSource.h"

#include <deque>
#include <vector>

struct ScriptedPad {
    int slot = 0;
    std::string name;
    GLFWgamepadstate state{};
};

class GamepadScriptedSource final : public GamepadSource {
public:
    /// Appends a frame: exactly these pads are connected while it is current.
    void Push(std::vector<ScriptedPad> pads);
    /// Makes the next pushed frame current; past the last one no pad is connected.
    void Poll() override;
    bool IsGamepad(int slot) const override;
    std::string Name(int slot) const override;
    bool ReadState(int slot, GLFWgamepadstate& state) const override;

private:
    const ScriptedPad* Find(int slot) const;

    std::deque<std::vector<ScriptedPad>> script;
    std::vector<ScriptedPad> current;
};
