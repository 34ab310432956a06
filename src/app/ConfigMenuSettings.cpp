#include "app/ConfigMenuSettings.h"

#include "core/ConfigHandler.h"

std::optional<double> ConfigMenuSettings::Number(std::string_view key) const {
    if (const auto found = changed.find(key); found != changed.end()) {
        if (const double* number = std::get_if<double>(&found->second))
            return *number;
        return std::nullopt;
    }
    const ConfigHandler& config = ConfigHandler::GetInstance();
    const std::string name(key);
    if (!config.Has(name))
        return std::nullopt;
    // A number is asked for first: the boolean look-up takes integers too, by non-zero.
    const float probe = config.GetFloat(name, 0.0f);
    if (probe != 0.0f || config.GetFloat(name, 1.0f) != 1.0f)
        return static_cast<double>(probe);
    if (const std::optional<bool> flag = config.FindBool(name))
        return *flag ? 1.0 : 0.0;
    return std::nullopt;
}

std::optional<std::string> ConfigMenuSettings::Choice(std::string_view key) const {
    if (const auto found = changed.find(key); found != changed.end()) {
        if (const std::string* text = std::get_if<std::string>(&found->second))
            return *text;
        return std::nullopt;
    }
    return ConfigHandler::GetInstance().FindString(std::string(key));
}

void ConfigMenuSettings::SetNumber(std::string_view key, double value) {
    changed.insert_or_assign(std::string(key), value);
}

void ConfigMenuSettings::SetChoice(std::string_view key, const std::string& value) {
    changed.insert_or_assign(std::string(key), value);
}
