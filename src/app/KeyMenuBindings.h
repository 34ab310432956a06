#pragma once
// The menus' view of the input bindings: today's keys for every action, changed as the player
// binds in the Controls page. The binding table of the input layer takes this place and makes
// the changes reach play.

#include "ui/MenuAccess.h"

#include <array>

class KeyMenuBindings : public MenuBindings {
public:
    KeyMenuBindings() { RestoreDefaults(); }

    std::vector<Action> Actions() const override;
    std::string InputName(Action action, int slot) const override;
    void Bind(Action action, int slot, int code) override;
    void RestoreDefaults() override;
    bool EscapeOpensPause() const override;
    void SetEscapeOpensPause(bool on) override;

    static constexpr int kNone = -1;

private:
    std::array<std::array<int, 2>, kActionCount> codes{};
};

/// An input code as players read it: "W", "Space", "Mouse1", "Pad 0".
std::string InputCodeName(int code);
