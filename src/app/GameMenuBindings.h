#pragma once
// The menus' view of the input bindings: the input layer's own table, changed in place as the
// player binds in the Controls page, and written into the settings' [Bindings] table (only the
// actions that differ from their defaults) so that leaving Options saves them.

#include "ui/MenuAccess.h"

class GameMenuBindings : public MenuBindings {
public:
    std::vector<Action> Actions() const override;
    std::string InputName(Action action, int slot) const override;
    void Bind(Action action, int slot, int code) override;
    void RestoreDefaults() override;
    bool EscapeOpensPause() const override;
    void SetEscapeOpensPause(bool on) override;
};
