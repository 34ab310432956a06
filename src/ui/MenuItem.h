#pragma once
// One line of a menu page: what kind of control it is, what it edits and within what range.
// A page is a list of these, most of them made straight from a setting's catalog entry.

#include "core/Action.h"
#include "core/SettingsCatalog.h"

#include <functional>
#include <string>
#include <vector>

class Menu;

enum class MenuItemKind { Button, Toggle, Slider, Cycler, Binding, Label };

struct MenuItem {
    MenuItemKind kind = MenuItemKind::Label;
    std::string label;
    /// The dotted setting key a Toggle, Slider or Cycler edits; empty for one that goes through
    /// `get` and `set` instead.
    std::string key;
    /// Slider: the range and the step a press moves by; `integer` values are whole numbers.
    double min = 0.0;
    double max = 1.0;
    double step = 0.1;
    bool integer = false;
    /// The value shown while the settings do not name the key.
    double defaultValue = 0.0;
    std::string defaultChoice;
    /// Cycler: what it steps through.
    std::vector<std::string> choices;
    /// The game picks the value itself until the player does: shown as "auto" until then.
    bool automatic = false;
    /// A change is used only from the next start of the game: said beside the label.
    bool needsRestart = false;
    /// Button: what accepting it does.
    std::function<void(Menu&)> onAccept;
    /// A Toggle (0 or 1) or a Cycler (the choice's index) held somewhere other than one setting.
    std::function<double()> get;
    std::function<void(double)> set;
    /// Binding: the action whose two inputs it shows and changes.
    Action action = Action::Count;

    bool Selectable() const { return kind != MenuItemKind::Label; }
    /// The item that edits this setting: a Bool a toggle, an Int or Float a slider, a Choice a cycler.
    static MenuItem ForSetting(const SettingEntry& entry);
    static MenuItem Button(std::string label, std::function<void(Menu&)> onAccept);
    static MenuItem Label(std::string label);
};
