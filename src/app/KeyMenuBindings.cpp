#include "app/KeyMenuBindings.h"

#include "core/KeyBindings.h"
#include "core/PadFrame.h"

#include <cctype>

namespace {

int Index(Action action) {
    return static_cast<int>(action);
}

/// The menu's own actions share no inputs with play, and the start key doubles as jump.
int StateOf(Action action) {
    if (action >= Action::MenuUp)
        return 2;
    return action == Action::Start ? 1 : 0;
}

} // namespace

std::string InputCodeName(int code) {
    if (InputCode::IsMouse(code))
        return "Mouse" + std::to_string(code - InputCode::kMouseBase + 1);
    if (InputCode::IsPad(code))
        return "Pad " + std::to_string(code - InputCode::kPadBase);
    if (code >= GLFW_KEY_F1 && code <= GLFW_KEY_F25)
        return "F" + std::to_string(code - GLFW_KEY_F1 + 1);
    if ((code >= GLFW_KEY_A && code <= GLFW_KEY_Z) || (code >= GLFW_KEY_0 && code <= GLFW_KEY_9))
        return std::string(1, static_cast<char>(code));
    switch (code) {
    case GLFW_KEY_SPACE:
        return "Space";
    case GLFW_KEY_ESCAPE:
        return "Escape";
    case GLFW_KEY_ENTER:
        return "Enter";
    case GLFW_KEY_TAB:
        return "Tab";
    case GLFW_KEY_BACKSPACE:
        return "Backspace";
    case GLFW_KEY_UP:
        return "Up";
    case GLFW_KEY_DOWN:
        return "Down";
    case GLFW_KEY_LEFT:
        return "Left";
    case GLFW_KEY_RIGHT:
        return "Right";
    case GLFW_KEY_LEFT_SHIFT:
        return "Left Shift";
    case GLFW_KEY_LEFT_CONTROL:
        return "Left Ctrl";
    default:
        return "Key " + std::to_string(code);
    }
}

std::vector<Action> KeyMenuBindings::Actions() const {
    std::vector<Action> actions;
    for (int i = 0; i < kActionCount; ++i)
        actions.push_back(static_cast<Action>(i));
    return actions;
}

std::string KeyMenuBindings::InputName(Action action, int slot) const {
    if (Index(action) >= kActionCount || slot < 0 || slot > 1)
        return "";
    const int code = codes[static_cast<std::size_t>(Index(action))][static_cast<std::size_t>(slot)];
    return code == kNone ? "" : InputCodeName(code);
}

void KeyMenuBindings::Bind(Action action, int slot, int code) {
    if (Index(action) >= kActionCount || slot < 0 || slot > 1)
        return;
    for (int other = 0; other < kActionCount; ++other) {
        if (StateOf(static_cast<Action>(other)) != StateOf(action))
            continue;
        for (int& held : codes[static_cast<std::size_t>(other)])
            if (held == code)
                held = kNone;
    }
    codes[static_cast<std::size_t>(Index(action))][static_cast<std::size_t>(slot)] = code;
}

void KeyMenuBindings::RestoreDefaults() {
    for (auto& slots : codes)
        slots = {kNone, kNone};
    const auto set = [this](Action action, int first, int second = kNone) {
        codes[static_cast<std::size_t>(Index(action))] = {first, second};
    };
    set(Action::Forward, KeyBindings::kForward);
    set(Action::Back, KeyBindings::kBack);
    set(Action::Left, KeyBindings::kLeft);
    set(Action::Right, KeyBindings::kRight);
    set(Action::Jump, KeyBindings::kJump);
    set(Action::Shoot, InputCode::Mouse(KeyBindings::kFire));
    set(Action::Pause, KeyBindings::kPause);
    set(Action::Start, KeyBindings::kStart);
    set(Action::Maximize, KeyBindings::kMaximize);
    set(Action::CollisionView, KeyBindings::kCollisionView);
    set(Action::ToggleText, KeyBindings::kToggleText);
    set(Action::Quit, KeyBindings::kQuit);
    set(Action::MenuUp, GLFW_KEY_UP);
    set(Action::MenuDown, GLFW_KEY_DOWN);
    set(Action::MenuLeft, GLFW_KEY_LEFT);
    set(Action::MenuRight, GLFW_KEY_RIGHT);
    set(Action::MenuAccept, GLFW_KEY_ENTER);
    set(Action::MenuBack, GLFW_KEY_ESCAPE);
}

bool KeyMenuBindings::EscapeOpensPause() const {
    for (int code : codes[static_cast<std::size_t>(Index(Action::Pause))])
        if (code == GLFW_KEY_ESCAPE)
            return true;
    return false;
}

void KeyMenuBindings::SetEscapeOpensPause(bool on) {
    if (on == EscapeOpensPause())
        return;
    if (on) {
        Bind(Action::Pause, 1, GLFW_KEY_ESCAPE);
    } else {
        Bind(Action::Quit, 0, GLFW_KEY_ESCAPE);
    }
}
