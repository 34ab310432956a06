#pragma once
// Every setting the game reads from config.toml, once: its key, kind, default, range or choices,
// what it means, and where the Options menu shows it. The loader's defaults, the saved file's
// comments, the menus and the settings table in the docs are all read from this one list.

#include <string_view>
#include <vector>

enum class SettingKind { Bool, Int, Float, Choice };

struct SettingEntry {
    /// Dotted key as the file spells it: "Display.maxFPS".
    std::string_view key;
    SettingKind kind = SettingKind::Bool;
    /// Bool: 0 or 1; Int and Float: the value; Choice: unused (see defaultChoice).
    double defaultValue = 0.0;
    /// Int and Float: the usable range, and the step a menu slider moves by.
    double min = 0.0;
    double max = 0.0;
    double step = 0.0;
    /// Choice: the strings the key accepts, and the default among them.
    std::vector<std::string_view> choices;
    std::string_view defaultChoice;
    /// One line for the saved file's comment and the docs: what the setting does.
    std::string_view meaning;
    /// The Options page that shows it ("Controls", "Video", "Audio", "Game"); empty for a
    /// setting kept in the file only (the forces, speeds and gravity that change the game).
    std::string_view page;
    /// The label the menu gives it.
    std::string_view label;
    /// A change takes effect only when the game is started again (the menu says so).
    bool needsRestart = false;
    /// The game chooses its own value while the file does not name the key (the render scale
    /// on a software renderer, say): the menu shows "auto" until the player picks one.
    bool automatic = false;
};

/// The whole list, in the order the docs and the saved file give them.
const std::vector<SettingEntry>& SettingsCatalog();
/// The entry for a dotted key; nullptr for a key the game does not read.
const SettingEntry* FindSetting(std::string_view key);
