#pragma once
// What players read for a key, a mouse button or a pad button ("W", "Left Shift", "Mouse1",
// "Pad A"): the settings file's [Bindings] table and the menus spell inputs so, and both ways
// go through here.

#include <optional>
#include <string>
#include <string_view>

/// The name of an input code (see PadFrame.h); "" for a code no input has.
std::string InputName(int code);
/// The code a name stands for, letter case aside ("space" is Space); nothing for an unknown name.
std::optional<int> InputFromName(std::string_view name);
