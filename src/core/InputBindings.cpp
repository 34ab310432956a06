#include "core/InputBindings.h"

#include "core/ConfigHandler.h"
#include "core/InputNames.h"
#include "core/PadFrame.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <ostream>
#include <sstream>

namespace {

using Slots = std::array<int, InputBindings::kInputsPerAction>;
constexpr int kNone = InputBindings::kNone;

constexpr int Mouse(int button) {
    return InputCode::Mouse(button);
}
constexpr int Pad(int button) {
    return InputCode::Pad(button);
}

/// Today's keys, the arrows as a second way to walk, and the pad's usual layout.
constexpr std::array<Slots, kActionCount> kDefaults = {{
    /* forward */ {GLFW_KEY_W, GLFW_KEY_UP},
    /* back */ {GLFW_KEY_S, GLFW_KEY_DOWN},
    /* left */ {GLFW_KEY_A, GLFW_KEY_LEFT},
    /* right */ {GLFW_KEY_D, GLFW_KEY_RIGHT},
    /* jump */ {GLFW_KEY_SPACE, Pad(GLFW_GAMEPAD_BUTTON_A)},
    /* shoot */ {Mouse(GLFW_MOUSE_BUTTON_LEFT), InputCode::kPadRightTrigger},
    /* pause */ {GLFW_KEY_P, Pad(GLFW_GAMEPAD_BUTTON_START)},
    /* start */ {GLFW_KEY_SPACE, Pad(GLFW_GAMEPAD_BUTTON_A)},
    /* maximize */ {GLFW_KEY_F1, kNone},
    /* collisionView */ {GLFW_KEY_F2, kNone},
    /* toggleText */ {GLFW_KEY_F3, kNone},
    /* quit */ {GLFW_KEY_ESCAPE, kNone},
    /* menuUp */ {GLFW_KEY_UP, Pad(GLFW_GAMEPAD_BUTTON_DPAD_UP)},
    /* menuDown */ {GLFW_KEY_DOWN, Pad(GLFW_GAMEPAD_BUTTON_DPAD_DOWN)},
    /* menuLeft */ {GLFW_KEY_LEFT, Pad(GLFW_GAMEPAD_BUTTON_DPAD_LEFT)},
    /* menuRight */ {GLFW_KEY_RIGHT, Pad(GLFW_GAMEPAD_BUTTON_DPAD_RIGHT)},
    /* menuAccept */ {GLFW_KEY_ENTER, Pad(GLFW_GAMEPAD_BUTTON_A)},
    /* menuBack */ {GLFW_KEY_ESCAPE, Pad(GLFW_GAMEPAD_BUTTON_B)},
}};

bool IsBindable(int code) {
    return !InputName(code).empty();
}

std::string Quoted(const std::vector<std::string>& names) {
    std::string text = "[";
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "\"" : ", \"") + names[i] + "\"";
    return text + "]";
}

/// The input codes a [Bindings] value names, or the reason it cannot be used.
std::optional<std::vector<int>> ReadCodes(const toml::node& value, std::string& problem) {
    const toml::array* array = value.as_array();
    if (array == nullptr) {
        problem = "is not an array of input names";
        return std::nullopt;
    }
    if (array->size() > static_cast<std::size_t>(InputBindings::kInputsPerAction)) {
        problem = "holds " + std::to_string(array->size()) + " inputs; an action takes at most 2";
        return std::nullopt;
    }
    std::vector<int> codes;
    for (const toml::node& element : *array) {
        const std::optional<std::string_view> name = element.value<std::string_view>();
        if (!name || !element.is_string()) {
            problem = "is not an array of input names";
            return std::nullopt;
        }
        const std::optional<int> code = InputFromName(*name);
        if (!code) {
            problem = "names \"" + std::string(*name) + "\", which is no key, mouse button or pad button";
            return std::nullopt;
        }
        codes.push_back(*code);
    }
    return codes;
}

} // namespace

ActionState StateOf(Action action) {
    switch (action) {
    case Action::Start:
        return ActionState::StartScreen;
    case Action::Maximize:
    case Action::CollisionView:
    case Action::ToggleText:
    case Action::Quit:
        return ActionState::Always;
    case Action::MenuUp:
    case Action::MenuDown:
    case Action::MenuLeft:
    case Action::MenuRight:
    case Action::MenuAccept:
    case Action::MenuBack:
        return ActionState::Menu;
    default:
        return ActionState::Play;
    }
}

bool ActionsCompete(Action a, Action b) {
    const ActionState first = StateOf(a), second = StateOf(b);
    if (first == ActionState::Menu || second == ActionState::Menu)
        return first == second;
    return first == second || first == ActionState::Always || second == ActionState::Always;
}

InputBindings::InputBindings() {
    RestoreDefaults();
}

void InputBindings::RestoreDefaults() {
    slots = kDefaults;
}

std::vector<int> InputBindings::DefaultsOf(Action action) {
    std::vector<int> codes;
    for (int code : kDefaults[static_cast<std::size_t>(action)])
        if (code != kNone)
            codes.push_back(code);
    return codes;
}

std::vector<int> InputBindings::Of(Action action) const {
    std::vector<int> codes;
    if (action >= Action::Count)
        return codes;
    for (int code : slots[static_cast<std::size_t>(action)])
        if (code != kNone)
            codes.push_back(code);
    return codes;
}

std::vector<Action> InputBindings::Bind(Action action, int slot, int code) {
    std::vector<Action> losers;
    if (action >= Action::Count || slot < 0 || slot >= kInputsPerAction || !IsBindable(code))
        return losers;
    Slots& own = slots[static_cast<std::size_t>(action)];
    // Bound twice to one action would be one binding shown as two.
    for (int& held : own)
        if (held == code)
            held = kNone;
    own[static_cast<std::size_t>(slot)] = code;
    for (int i = 0; i < kActionCount; ++i) {
        const Action other = static_cast<Action>(i);
        if (other == action || !ActionsCompete(action, other))
            continue;
        bool lost = false;
        for (int& held : slots[static_cast<std::size_t>(i)])
            if (held == code) {
                held = kNone;
                lost = true;
            }
        if (lost)
            losers.push_back(other);
    }
    for (int i = 0; i < kActionCount; ++i) {
        Slots& each = slots[static_cast<std::size_t>(i)];
        // The first slot is never empty while the second is held.
        if (each[0] == kNone)
            std::swap(each[0], each[1]);
    }
    return losers;
}

void InputBindings::Unbind(Action action, int slot) {
    if (action >= Action::Count || slot < 0 || slot >= kInputsPerAction)
        return;
    Slots& own = slots[static_cast<std::size_t>(action)];
    own[static_cast<std::size_t>(slot)] = kNone;
    if (own[0] == kNone)
        std::swap(own[0], own[1]);
}

std::vector<Action> InputBindings::Set(Action action, const std::vector<int>& codes) {
    std::vector<Action> losers;
    if (action >= Action::Count)
        return losers;
    slots[static_cast<std::size_t>(action)] = {kNone, kNone};
    int slot = 0;
    for (int code : codes) {
        if (slot == kInputsPerAction || !IsBindable(code))
            continue;
        if (slots[static_cast<std::size_t>(action)][0] == code)
            continue;
        for (Action loser : Bind(action, slot++, code))
            if (std::find(losers.begin(), losers.end(), loser) == losers.end())
                losers.push_back(loser);
    }
    return losers;
}

std::uint32_t InputBindings::ActionsOf(int code) const {
    std::uint32_t actions = 0;
    if (code == kNone)
        return actions;
    for (int i = 0; i < kActionCount; ++i)
        for (int held : slots[static_cast<std::size_t>(i)])
            if (held == code)
                actions |= std::uint32_t{1} << i;
    return actions;
}

std::vector<std::string> InputBindings::Names(Action action) const {
    std::vector<std::string> names;
    for (int code : Of(action))
        names.push_back(InputName(code));
    return names;
}

std::string InputBindings::TableText() const {
    std::string text;
    for (int i = 0; i < kActionCount; ++i) {
        const Action action = static_cast<Action>(i);
        text += std::string(ActionName(action)) + " = " + Quoted(Names(action)) + "\n";
    }
    return text;
}

void InputBindings::Read(const ConfigHandler& config, std::ostream& out) {
    RestoreDefaults();
    const std::string text = config.SectionText("Bindings");
    if (text.empty()) {
        if (config.Has("Bindings") && !config.HasTable("Bindings"))
            out << "Bindings is not a table of actions; every action keeps its default" << std::endl;
        return;
    }
    toml::table table;
    try {
        table = toml::parse(text);
    } catch (const toml::parse_error&) {
        // Text the loader printed from a table it parsed always parses again; should it not,
        // the defaults are the safe answer.
        out << "Bindings cannot be read; every action keeps its default" << std::endl;
        return;
    }
    std::array<std::optional<std::vector<int>>, kActionCount> wanted;
    for (const auto& [key, value] : table) {
        const std::string name(key.str());
        const std::optional<Action> action = ActionFromName(name);
        if (!action) {
            out << "Bindings." << name << " names no action; ignored" << std::endl;
            continue;
        }
        std::string problem;
        wanted[static_cast<std::size_t>(*action)] = ReadCodes(value, problem);
        if (!wanted[static_cast<std::size_t>(*action)])
            out << "Bindings." << name << " " << problem << "; " << name << " keeps its default "
                << Quoted(Names(*action)) << std::endl;
    }
    std::array<bool, kActionCount> fromFile = {};
    for (int i = 0; i < kActionCount; ++i) {
        if (!wanted[static_cast<std::size_t>(i)])
            continue;
        const Action action = static_cast<Action>(i);
        fromFile[static_cast<std::size_t>(i)] = true;
        // Each input lost by an action the file also binds is a contradiction in the file; one
        // lost by a default is the move the player asked for.
        const std::vector<Action> losers = Set(action, *wanted[static_cast<std::size_t>(i)]);
        for (Action loser : losers)
            if (fromFile[static_cast<std::size_t>(loser)])
                out << "Bindings." << ActionName(action) << " takes an input Bindings." << ActionName(loser)
                    << " also names; " << ActionName(loser) << " keeps " << Quoted(Names(loser)) << std::endl;
    }
}
