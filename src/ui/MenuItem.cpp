#include "ui/MenuItem.h"

MenuItem MenuItem::ForSetting(const SettingSpec& spec) {
    MenuItem item;
    item.label = std::string(spec.label.empty() ? spec.key : spec.label);
    item.key = std::string(spec.key);
    item.defaultValue = spec.defaultValue;
    item.automatic = spec.automatic;
    item.needsRestart = spec.needsRestart;
    switch (spec.kind) {
    case SettingKind::Bool:
        item.kind = MenuItemKind::Toggle;
        break;
    case SettingKind::Int:
    case SettingKind::Float:
        item.kind = MenuItemKind::Slider;
        item.min = spec.min;
        item.max = spec.max;
        item.integer = spec.kind == SettingKind::Int;
        // An entry without a step still moves: a hundredth of its range, whole for integers.
        item.step = spec.step > 0.0 ? spec.step : (spec.max - spec.min) / 100.0;
        if (item.integer && item.step < 1.0)
            item.step = 1.0;
        break;
    case SettingKind::Choice:
        item.kind = MenuItemKind::Cycler;
        for (std::string_view choice : spec.choices)
            item.choices.emplace_back(choice);
        item.defaultChoice = std::string(spec.defaultChoice);
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
