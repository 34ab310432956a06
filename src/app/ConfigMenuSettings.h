#pragma once
// The menus' view of the game's settings: read from and written to the loaded settings, each
// value in the type the settings list gives its key, so a change reaches the game on the next
// frame and the file when the player leaves Options.

#include "ui/MenuAccess.h"

class ConfigMenuSettings : public MenuSettings {
public:
    std::optional<double> Number(std::string_view key) const override;
    std::optional<std::string> Choice(std::string_view key) const override;
    void SetNumber(std::string_view key, double value) override;
    void SetChoice(std::string_view key, const std::string& value) override;
};
