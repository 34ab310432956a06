#include "app/ConfigMenuSettings.h"

#include "core/ConfigHandler.h"
#include "core/SettingsCatalog.h"

#include <cmath>

namespace {

SettingKind KindOf(std::string_view key) {
    const SettingEntry* entry = FindSetting(key);
    return entry != nullptr ? entry->kind : SettingKind::Float;
}

} // namespace

std::optional<double> ConfigMenuSettings::Number(std::string_view key) const {
    const ConfigHandler& config = ConfigHandler::GetInstance();
    const std::string name(key);
    if (!config.Has(name))
        return std::nullopt;
    if (KindOf(key) == SettingKind::Bool) {
        if (const std::optional<bool> flag = config.FindBool(name))
            return *flag ? 1.0 : 0.0;
        return std::nullopt;
    }
    // A value that is no number at all reads as missing: the menu shows the default.
    const float probe = config.GetFloat(name, 0.0f);
    if (probe != 0.0f || config.GetFloat(name, 1.0f) != 1.0f)
        return static_cast<double>(probe);
    return std::nullopt;
}

std::optional<std::string> ConfigMenuSettings::Choice(std::string_view key) const {
    return ConfigHandler::GetInstance().FindString(std::string(key));
}

void ConfigMenuSettings::SetNumber(std::string_view key, double value) {
    ConfigHandler& config = ConfigHandler::GetInstance();
    const std::string name(key);
    switch (KindOf(key)) {
    case SettingKind::Bool:
        config.Set(name, value != 0.0);
        break;
    case SettingKind::Int:
        config.Set(name, static_cast<int>(std::lround(value)));
        break;
    default:
        // Sliders step in tenths and twentieths: rounded so the file holds 0.3, not 0.30000000000000004.
        config.Set(name, std::round(value * 1e6) / 1e6);
        break;
    }
}

void ConfigMenuSettings::SetChoice(std::string_view key, const std::string& value) {
    ConfigHandler::GetInstance().Set(std::string(key), value);
}
