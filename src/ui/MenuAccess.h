#pragma once
// How a menu reads and changes what it shows: the settings by their dotted key and the input
// bindings by action. The game answers from its settings and binding table; tests from fakes.

#include "core/Action.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class MenuSettings {
public:
    virtual ~MenuSettings() = default;
    /// A Bool (0 or 1), Int or Float setting; nothing while the settings do not name it.
    virtual std::optional<double> Number(std::string_view key) const = 0;
    /// A Choice setting; nothing while the settings do not name it.
    virtual std::optional<std::string> Choice(std::string_view key) const = 0;
    virtual void SetNumber(std::string_view key, double value) = 0;
    virtual void SetChoice(std::string_view key, const std::string& value) = 0;
};

class MenuBindings {
public:
    virtual ~MenuBindings() = default;
    /// The actions a player may rebind, in the order the Controls page lists them.
    virtual std::vector<Action> Actions() const = 0;
    /// The name of the input in one of an action's two slots ("W", "Mouse1", "Pad A"); empty
    /// for a slot that holds nothing.
    virtual std::string InputName(Action action, int slot) const = 0;
    /// Puts an input code in a slot; an input another action of the same state held moves here.
    virtual void Bind(Action action, int slot, int code) = 0;
    virtual void RestoreDefaults() = 0;
    /// Escape pauses (and the pause menu's Quit ends the game) instead of quitting at once.
    virtual bool EscapeOpensPause() const = 0;
    virtual void SetEscapeOpensPause(bool on) = 0;
};
