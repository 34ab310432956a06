#pragma once
// Which inputs ask for which action: up to two per action, read from the settings' [Bindings]
// table over the defaults. An input serves one action of a state at most: binding it to another
// action of the same state (or to an action that works in every state) takes it from the one
// that had it. Actions of different states share inputs: Space starts a game on the start screen
// and jumps in play.

#include "core/Action.h"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

class ConfigHandler;

/// Where an action means something. A menu, while open, takes its inputs before anything else,
/// so its actions share inputs with every other state (Escape goes back in a menu and quits
/// outside one).
enum class ActionState { Play, StartScreen, Menu, Always };
ActionState StateOf(Action action);
/// Whether two actions may not share an input.
bool ActionsCompete(Action a, Action b);

class InputBindings {
public:
    static constexpr int kInputsPerAction = 2;
    static constexpr int kNone = -1;

    /// The default bindings.
    InputBindings();

    /// The action's inputs (input codes, see PadFrame.h), first binding first; at most two.
    std::vector<int> Of(Action action) const;
    /// Binds `code` as the action's first (slot 0) or second (slot 1) input, replacing what the
    /// slot held. Every competing action that held the code loses it; those are returned, in
    /// action order. Nothing happens for a bad slot or code.
    std::vector<Action> Bind(Action action, int slot, int code);
    /// Clears one of the action's slots (the second moves up).
    void Unbind(Action action, int slot);
    /// Replaces all the action's inputs with `codes` (at most two are kept), by Bind's rule.
    std::vector<Action> Set(Action action, const std::vector<int>& codes);
    void RestoreDefaults();
    /// The defaults of one action.
    static std::vector<int> DefaultsOf(Action action);

    /// Every action bound to `code`, as ActionBit()s.
    std::uint32_t ActionsOf(int code) const;

    /// The action's inputs by name, as [Bindings] and the menus write them.
    std::vector<std::string> Names(Action action) const;
    /// Every action's line of a [Bindings] table, in action order: `jump = ["Space", "Pad A"]`.
    std::string TableText() const;
    /// Reads the [Bindings] table of `config` over the defaults. A key that names no action, a
    /// value that is not an array of at most two input names, or a name no input has is one line
    /// on `out` naming the key; that action keeps its default. An input the file gives to two
    /// competing actions goes to the later one in action order, with one line.
    void Read(const ConfigHandler& config, std::ostream& out);

private:
    std::array<std::array<int, kInputsPerAction>, kActionCount> slots;
};
