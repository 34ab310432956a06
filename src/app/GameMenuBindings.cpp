#include "app/GameMenuBindings.h"

#include "core/ConfigHandler.h"
#include "core/InputHandler.h"
#include "core/InputNames.h"

#include <GLFW/glfw3.h>
#include <string>

namespace {

InputBindings& Table() {
    return InputHandler::GetInstance().Bindings();
}

/// The [Bindings] table after a change: an action bound as by default needs no line.
void WriteBindings() {
    ConfigHandler& config = ConfigHandler::GetInstance();
    const InputBindings& bindings = Table();
    for (int i = 0; i < kActionCount; ++i) {
        const Action action = static_cast<Action>(i);
        const std::string key = "Bindings." + std::string(ActionName(action));
        if (bindings.Of(action) == InputBindings::DefaultsOf(action))
            config.Remove(key);
        else
            config.Set(key, bindings.Names(action));
    }
}

} // namespace

std::vector<Action> GameMenuBindings::Actions() const {
    std::vector<Action> actions;
    for (int i = 0; i < kActionCount; ++i)
        actions.push_back(static_cast<Action>(i));
    return actions;
}

std::string GameMenuBindings::InputName(Action action, int slot) const {
    const std::vector<int> codes = Table().Of(action);
    if (slot < 0 || static_cast<std::size_t>(slot) >= codes.size())
        return "";
    return ::InputName(codes[static_cast<std::size_t>(slot)]);
}

void GameMenuBindings::Bind(Action action, int slot, int code) {
    Table().Bind(action, slot, code);
    WriteBindings();
}

void GameMenuBindings::RestoreDefaults() {
    Table().RestoreDefaults();
    WriteBindings();
}

bool GameMenuBindings::EscapeOpensPause() const {
    for (int code : Table().Of(Action::Pause))
        if (code == GLFW_KEY_ESCAPE)
            return true;
    return false;
}

void GameMenuBindings::SetEscapeOpensPause(bool on) {
    if (on == EscapeOpensPause())
        return;
    InputBindings& bindings = Table();
    if (on) {
        // Quit works at any time, so it competes with pause for the key and gives it up: the
        // pause menu's Quit ends the game instead.
        bindings.Bind(Action::Pause, 1, GLFW_KEY_ESCAPE);
    } else {
        bindings.Set(Action::Pause, InputBindings::DefaultsOf(Action::Pause));
        bindings.Set(Action::Quit, InputBindings::DefaultsOf(Action::Quit));
    }
    WriteBindings();
}
