#pragma once
// What the player can ask of the game, whatever input asked it: keys, mouse buttons and gamepad
// buttons are bound to these, and the game, the menus and the demos only ever see these.

#include <cstdint>
#include <optional>
#include <string_view>

enum class Action : std::uint8_t {
    Forward,
    Back,
    Left,
    Right,
    Jump,
    Shoot,
    Pause,
    Start,
    Maximize,
    CollisionView,
    ToggleText,
    Quit,
    MenuUp,
    MenuDown,
    MenuLeft,
    MenuRight,
    MenuAccept,
    MenuBack,
    Count,
};

inline constexpr int kActionCount = static_cast<int>(Action::Count);

/// The action's name as the settings file's [Bindings] table and the menus spell it.
constexpr std::string_view ActionName(Action action) {
    constexpr std::string_view names[kActionCount] = {
        "forward", "back",     "left",     "right",         "jump",       "shoot",
        "pause",   "start",    "maximize", "collisionView", "toggleText", "quit",
        "menuUp",  "menuDown", "menuLeft", "menuRight",     "menuAccept", "menuBack",
    };
    const int index = static_cast<int>(action);
    return index >= 0 && index < kActionCount ? names[index] : std::string_view{};
}

/// The action a [Bindings] key names; nothing for a name no action has.
constexpr std::optional<Action> ActionFromName(std::string_view name) {
    for (int i = 0; i < kActionCount; ++i) {
        if (ActionName(static_cast<Action>(i)) == name)
            return static_cast<Action>(i);
    }
    return std::nullopt;
}
