#include "ui/MenuItem.h"

MenuItem MenuItem::ForSetting(const SettingEntry& entry) {
    MenuItem item;
    item.label = std::string(entry.label.empty() ? entry.key : entry.label);
    item.key = std::string(entry.key);
    item.defaultValue = entry.defaultValue;
    item.automatic = entry.automatic;
    item.needsRestart = entry.needsRestart;
    switch (entry.kind) {
    case SettingKind::Bool:
        item.kind = MenuItemKind::Toggle;
        break;
    case SettingKind::Int:
    case SettingKind::Float:
        item.kind = MenuItemKind::Slider;
        item.min = entry.min;
        item.max = entry.max;
        item.integer = entry.kind == SettingKind::Int;
        // An entry without a step still moves: a hundredth of its range, whole for integers.
        item.step = entry.step > 0.0 ? entry.step : (entry.max - entry.min) / 100.0;
        if (item.integer && item.step < 1.0)
            item.step = 1.0;
        break;
    case SettingKind::Choice:
        item.kind = MenuItemKind::Cycler;
        for (std::string_view choice : entry.choices)
            item.choices.emplace_back(choice);
        item.defaultChoice = std::string(entry.defaultChoice);
        break;
    }
    return item;
}

MenuItem MenuItem::Button(std::string label, std::function<void(Menu&)> onAccept) {
    MenuItem item;
    item.kind = MenuItemKind::Button;
    item.label = std::move(label);
    item.onAccept = std::move(onAccept);
    return item;
}

MenuItem MenuItem::Label(std::string label) {
    MenuItem item;
    item.kind = MenuItemKind::Label;
    item.label = std::move(label);
    return item;
}
