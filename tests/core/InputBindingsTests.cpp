// Bindings as a player writes and changes them: inputs named both ways, the [Bindings] table read
// over the defaults with every mistake told in one line, and an input moving between actions.
#include "core/ActionRecord.h"
#include "core/ConfigHandler.h"
#include "core/InputBindings.h"
#include "core/InputNames.h"
#include "core/PadFrame.h"

#include <GLFW/glfw3.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace {

using Codes = std::vector<int>;

/// The lines reading [Bindings] from `text` prints, with the bindings it leaves.
std::string ReadBindings(const std::string& text, InputBindings& bindings) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("korvane_bindings_" + std::to_string(::getpid()) + ".toml");
    std::ofstream(file) << text;
    ConfigHandler& config = ConfigHandler::GetInstance();
    config.Load(file.string());
    std::ostringstream out;
    bindings.Read(config, out);
    std::filesystem::remove(file);
    return out.str();
}

std::size_t Lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

TEST(InputBindings, NamesReadBothWaysAndTheDefaultsAreTheGamesKeys) {
    EXPECT_EQ(InputName(GLFW_KEY_W), "W");
    EXPECT_EQ(InputName(GLFW_KEY_LEFT_SHIFT), "Left Shift");
    EXPECT_EQ(InputName(GLFW_KEY_F12), "F12");
    EXPECT_EQ(InputName(GLFW_KEY_KP_7), "Keypad 7");
    EXPECT_EQ(InputName(InputCode::Mouse(GLFW_MOUSE_BUTTON_LEFT)), "Mouse1");
    EXPECT_EQ(InputName(InputCode::Mouse(GLFW_MOUSE_BUTTON_8)), "Mouse8");
    EXPECT_EQ(InputName(InputCode::Pad(GLFW_GAMEPAD_BUTTON_START)), "Pad Start");
    EXPECT_EQ(InputName(InputCode::kPadRightTrigger), "Pad RT");
    EXPECT_EQ(InputFromName("space"), GLFW_KEY_SPACE);
    EXPECT_EQ(InputFromName("pad lt"), InputCode::kPadLeftTrigger);
    for (const char* unknown : {"", "Spcae", "Mouse9", "Pad Z", "F26", "W "})
        EXPECT_FALSE(InputFromName(unknown)) << unknown;
    // Every name the game prints reads back as its code, and no two codes share a name.
    int named = 0;
    for (int code = -1; code <= InputCode::kEnd; ++code) {
        const std::string name = InputName(code);
        if (name.empty())
            continue;
        ++named;
        EXPECT_EQ(InputFromName(name), code) << name;
    }
    EXPECT_EQ(named, 120 + 8 + 17) << "every GLFW key, eight mouse buttons, every pad button and trigger";

    const InputBindings defaults;
    EXPECT_EQ(defaults.Of(Action::Forward), (Codes{GLFW_KEY_W, GLFW_KEY_UP}));
    EXPECT_EQ(defaults.Names(Action::Shoot), (std::vector<std::string>{"Mouse1", "Pad RT"}));
    EXPECT_EQ(defaults.Names(Action::Quit), (std::vector<std::string>{"Escape"}));
    EXPECT_EQ(defaults.Names(Action::CollisionView), (std::vector<std::string>{"F2"}));
    // Space starts on the start screen and jumps in play; Escape quits, and goes back in a menu.
    EXPECT_EQ(defaults.ActionsOf(GLFW_KEY_SPACE), ActionBit(Action::Jump) | ActionBit(Action::Start));
    EXPECT_EQ(defaults.ActionsOf(GLFW_KEY_ESCAPE), ActionBit(Action::Quit) | ActionBit(Action::MenuBack));
    // The defaults keep their own rule: binding each to itself moves nothing.
    InputBindings same;
    for (int i = 0; i < kActionCount; ++i) {
        const Action action = static_cast<Action>(i);
        EXPECT_TRUE(same.Set(action, defaults.Of(action)).empty()) << ActionName(action);
    }
}

TEST(InputBindings, TheTableIsReadOverTheDefaultsAndMistakesAreOneLineEach) {
    InputBindings bindings;
    const std::string lines = ReadBindings("[Bindings]\n"
                                           "jump = [\"Spcae\"]\n"
                                           "shoot = \"Mouse2\"\n"
                                           "pause = [\"P\", \"Q\", \"R\"]\n"
                                           "toggleText = [3]\n"
                                           "fly = [\"F\"]\n"
                                           "left = [\"W\", \"q\"]\n"
                                           "start = [\"Enter\"]\n",
                                           bindings);
    EXPECT_EQ(Lines(lines), 5u) << lines;
    for (const char* key :
         {"Bindings.jump", "Bindings.shoot", "Bindings.pause", "Bindings.toggleText", "Bindings.fly"})
        EXPECT_NE(lines.find(key), std::string::npos) << key << " in:\n" << lines;
    EXPECT_NE(lines.find("Spcae"), std::string::npos);
    const InputBindings defaults;
    for (Action kept : {Action::Jump, Action::Shoot, Action::Pause, Action::ToggleText})
        EXPECT_EQ(bindings.Of(kept), defaults.Of(kept)) << ActionName(kept);
    // Left takes W from forward, which keeps its other key; start and the menu share Enter.
    EXPECT_EQ(bindings.Of(Action::Left), (Codes{GLFW_KEY_W, GLFW_KEY_Q}));
    EXPECT_EQ(bindings.Of(Action::Forward), (Codes{GLFW_KEY_UP}));
    EXPECT_EQ(bindings.Of(Action::Start), (Codes{GLFW_KEY_ENTER}));
    EXPECT_EQ(bindings.Of(Action::MenuAccept), defaults.Of(Action::MenuAccept));

    // What the table text says reads back as the same bindings, without a word.
    InputBindings again;
    EXPECT_EQ(ReadBindings("[Bindings]\n" + bindings.TableText(), again), "");
    for (int i = 0; i < kActionCount; ++i)
        EXPECT_EQ(again.Of(static_cast<Action>(i)), bindings.Of(static_cast<Action>(i)));

    // A file that gives one input to two actions of a state: the later action has it, said once.
    InputBindings contradicted;
    const std::string contradiction =
        ReadBindings("[Bindings]\nforward = [\"I\"]\nback = [\"I\", \"K\"]\n", contradicted);
    EXPECT_EQ(Lines(contradiction), 1u) << contradiction;
    EXPECT_EQ(contradicted.Of(Action::Forward), Codes{});
    EXPECT_EQ(contradicted.Of(Action::Back), (Codes{GLFW_KEY_I, GLFW_KEY_K}));
    // A [Bindings] that is no table at all.
    InputBindings shapeless;
    EXPECT_EQ(Lines(ReadBindings("Bindings = 3\n", shapeless)), 1u);
    EXPECT_EQ(shapeless.Of(Action::Forward), defaults.Of(Action::Forward));
    ConfigHandler::GetInstance().Load(std::filesystem::temp_directory_path() / "korvane_no_such_file.toml");
}

TEST(InputBindings, BindingMovesAnInputWithinAStateAndSharesItAcrossStates) {
    InputBindings bindings;
    // Within play: shoot takes Space from jump, and only from jump; starting keeps it.
    EXPECT_EQ(bindings.Bind(Action::Shoot, 1, GLFW_KEY_SPACE), std::vector<Action>{Action::Jump});
    EXPECT_EQ(bindings.Of(Action::Shoot), (Codes{InputCode::Mouse(GLFW_MOUSE_BUTTON_LEFT), GLFW_KEY_SPACE}));
    EXPECT_EQ(bindings.Of(Action::Jump), (Codes{InputCode::Pad(GLFW_GAMEPAD_BUTTON_A)}));
    EXPECT_EQ(bindings.Of(Action::Start), (Codes{GLFW_KEY_SPACE, InputCode::Pad(GLFW_GAMEPAD_BUTTON_A)}));
    // An action of every state takes from play and the start screen alike, never from a menu:
    // Escape for pause leaves quit without it, and the menus still go back on it.
    EXPECT_EQ(bindings.Bind(Action::Pause, 0, GLFW_KEY_ESCAPE), std::vector<Action>{Action::Quit});
    EXPECT_EQ(bindings.Of(Action::Quit), Codes{});
    EXPECT_EQ(bindings.ActionsOf(GLFW_KEY_ESCAPE), ActionBit(Action::Pause) | ActionBit(Action::MenuBack));
    EXPECT_EQ(bindings.Bind(Action::Maximize, 1, InputCode::Pad(GLFW_GAMEPAD_BUTTON_A)),
              (std::vector<Action>{Action::Jump, Action::Start}));
    // Within the menus: accept takes Escape from back. Binding an action's own input again, in
    // its other slot, moves it there and takes it from nobody.
    EXPECT_EQ(bindings.Bind(Action::MenuAccept, 0, GLFW_KEY_ESCAPE), std::vector<Action>{Action::MenuBack});
    EXPECT_TRUE(bindings.Bind(Action::MenuAccept, 1, GLFW_KEY_ESCAPE).empty());
    EXPECT_EQ(bindings.Of(Action::MenuAccept), (Codes{GLFW_KEY_ESCAPE}));
    // Nothing a binding cannot hold is bound.
    EXPECT_TRUE(bindings.Bind(Action::Jump, 0, 5).empty());
    EXPECT_TRUE(bindings.Bind(Action::Jump, 2, GLFW_KEY_J).empty());
    EXPECT_EQ(bindings.Of(Action::Jump), Codes{});

    bindings.RestoreDefaults();
    const InputBindings defaults;
    for (int i = 0; i < kActionCount; ++i)
        EXPECT_EQ(bindings.Of(static_cast<Action>(i)), defaults.Of(static_cast<Action>(i)));
}
