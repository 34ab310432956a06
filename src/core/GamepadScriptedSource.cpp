#include "core/GamepadScriptedSource.h"

#include <utility>

void GamepadScriptedSource::Push(std::vector<ScriptedPad> pads) {
    script.push_back(std::move(pads));
}

void GamepadScriptedSource::Poll() {
    current.clear();
    if (script.empty())
        return;
    current = std::move(script.front());
    script.pop_front();
}

const ScriptedPad* GamepadScriptedSource::Find(int slot) const {
    for (const ScriptedPad& pad : current)
        if (pad.slot == slot)
            return &pad;
    return nullptr;
}

bool GamepadScriptedSource::IsGamepad(int slot) const {
    return Find(slot) != nullptr;
}

std::string GamepadScriptedSource::Name(int slot) const {
    const ScriptedPad* pad = Find(slot);
    return pad != nullptr ? pad->name : "";
}

bool GamepadScriptedSource::ReadState(int slot, GLFWgamepadstate& state) const {
    const ScriptedPad* pad = Find(slot);
    if (pad == nullptr)
        return false;
    state = pad->state;
    return true;
}
