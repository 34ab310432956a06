#pragma once
// The menus' view of the game's settings: what config.toml holds, with the player's changes in
// the menus on top of it. The changes live here until the settings file can take them itself.

#include "ui/MenuAccess.h"

#include <map>
#include <string>
#include <variant>

class ConfigMenuSettings : public MenuSettings {
public:
    std::optional<double> Number(std::string_view key) const override;
    std::optional<std::string> Choice(std::string_view key) const override;
    void SetNumber(std::string_view key, double value) override;
    void SetChoice(std::string_view key, const std::string& value) override;

private:
    std::map<std::string, std::variant<double, std::string>, std::less<>> changed;
};
