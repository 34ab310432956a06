#include "core/InputNames.h"

#include "core/PadFrame.h"

#ifndef GLFW_INCLUDE_NONE
#define GLFW_INCLUDE_NONE
#endif
#include <GLFW/glfw3.h>

#include <array>
#include <cctype>
#include <utility>

namespace {

struct NamedCode {
    int code;
    std::string_view name;
};

// Letters, digits, F1-F25 and the keypad digits are made up in KeyName; the rest are listed.
constexpr NamedCode kNamedKeys[] = {
    {GLFW_KEY_SPACE, "Space"},
    {GLFW_KEY_APOSTROPHE, "Apostrophe"},
    {GLFW_KEY_COMMA, "Comma"},
    {GLFW_KEY_MINUS, "Minus"},
    {GLFW_KEY_PERIOD, "Period"},
    {GLFW_KEY_SLASH, "Slash"},
    {GLFW_KEY_SEMICOLON, "Semicolon"},
    {GLFW_KEY_EQUAL, "Equal"},
    {GLFW_KEY_LEFT_BRACKET, "Left Bracket"},
    {GLFW_KEY_BACKSLASH, "Backslash"},
    {GLFW_KEY_RIGHT_BRACKET, "Right Bracket"},
    {GLFW_KEY_GRAVE_ACCENT, "Grave Accent"},
    {GLFW_KEY_WORLD_1, "World 1"},
    {GLFW_KEY_WORLD_2, "World 2"},
    {GLFW_KEY_ESCAPE, "Escape"},
    {GLFW_KEY_ENTER, "Enter"},
    {GLFW_KEY_TAB, "Tab"},
    {GLFW_KEY_BACKSPACE, "Backspace"},
    {GLFW_KEY_INSERT, "Insert"},
    {GLFW_KEY_DELETE, "Delete"},
    {GLFW_KEY_RIGHT, "Right"},
    {GLFW_KEY_LEFT, "Left"},
    {GLFW_KEY_DOWN, "Down"},
    {GLFW_KEY_UP, "Up"},
    {GLFW_KEY_PAGE_UP, "Page Up"},
    {GLFW_KEY_PAGE_DOWN, "Page Down"},
    {GLFW_KEY_HOME, "Home"},
    {GLFW_KEY_END, "End"},
    {GLFW_KEY_CAPS_LOCK, "Caps Lock"},
    {GLFW_KEY_SCROLL_LOCK, "Scroll Lock"},
    {GLFW_KEY_NUM_LOCK, "Num Lock"},
    {GLFW_KEY_PRINT_SCREEN, "Print Screen"},
    {GLFW_KEY_PAUSE, "Pause"},
    {GLFW_KEY_KP_DECIMAL, "Keypad Decimal"},
    {GLFW_KEY_KP_DIVIDE, "Keypad Divide"},
    {GLFW_KEY_KP_MULTIPLY, "Keypad Multiply"},
    {GLFW_KEY_KP_SUBTRACT, "Keypad Subtract"},
    {GLFW_KEY_KP_ADD, "Keypad Add"},
    {GLFW_KEY_KP_ENTER, "Keypad Enter"},
    {GLFW_KEY_KP_EQUAL, "Keypad Equal"},
    {GLFW_KEY_LEFT_SHIFT, "Left Shift"},
    {GLFW_KEY_LEFT_CONTROL, "Left Control"},
    {GLFW_KEY_LEFT_ALT, "Left Alt"},
    {GLFW_KEY_LEFT_SUPER, "Left Super"},
    {GLFW_KEY_RIGHT_SHIFT, "Right Shift"},
    {GLFW_KEY_RIGHT_CONTROL, "Right Control"},
    {GLFW_KEY_RIGHT_ALT, "Right Alt"},
    {GLFW_KEY_RIGHT_SUPER, "Right Super"},
    {GLFW_KEY_MENU, "Menu"},
};

// In GLFW_GAMEPAD_BUTTON_* order, then the two triggers.
constexpr std::array<std::string_view, InputCode::kEnd - InputCode::kPadBase> kPadNames = {
    "Pad A",  "Pad B",  "Pad X",  "Pad Y",     "Pad LB",   "Pad RB",   "Pad Back", "Pad Start", "Pad Guide",
    "Pad LS", "Pad RS", "Pad Up", "Pad Right", "Pad Down", "Pad Left", "Pad LT",   "Pad RT",
};

constexpr int kMouseButtons = GLFW_MOUSE_BUTTON_LAST + 1;

std::string KeyName(int key) {
    if (key >= GLFW_KEY_A && key <= GLFW_KEY_Z)
        return std::string(1, static_cast<char>('A' + (key - GLFW_KEY_A)));
    if (key >= GLFW_KEY_0 && key <= GLFW_KEY_9)
        return std::string(1, static_cast<char>('0' + (key - GLFW_KEY_0)));
    if (key >= GLFW_KEY_F1 && key <= GLFW_KEY_F25)
        return std::string("F").append(std::to_string(key - GLFW_KEY_F1 + 1));
    if (key >= GLFW_KEY_KP_0 && key <= GLFW_KEY_KP_9)
        return "Keypad " + std::to_string(key - GLFW_KEY_KP_0);
    for (const NamedCode& named : kNamedKeys)
        if (named.code == key)
            return std::string(named.name);
    return "";
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

std::string InputName(int code) {
    if (InputCode::IsKey(code))
        return KeyName(code);
    if (InputCode::IsMouse(code)) {
        const int button = code - InputCode::kMouseBase;
        return button < kMouseButtons ? "Mouse" + std::to_string(button + 1) : "";
    }
    if (InputCode::IsPad(code))
        return std::string(kPadNames[static_cast<std::size_t>(code - InputCode::kPadBase)]);
    return "";
}

std::optional<int> InputFromName(std::string_view name) {
    // Every name is made from its code, so the codes are searched rather than the names parsed:
    // whatever InputName says, this reads back, and nothing else.
    if (name.empty() || name.size() > 20)
        return std::nullopt;
    for (int code = 0; code < InputCode::kEnd; ++code) {
        if (InputCode::IsMouse(code) && code - InputCode::kMouseBase >= kMouseButtons)
            code = InputCode::kPadBase;
        const std::string candidate = InputName(code);
        if (!candidate.empty() && SameLetters(candidate, name))
            return code;
    }
    return std::nullopt;
}
