// The menu model as a player drives it: moving round pages, changing each kind of item within
// its range, binding by pressing an input, going back, and saving only after a change.
#include "ui/Menu.h"
#include "ui/MenuPages.h"

#include "MenuFakes.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include "core/PadFrame.h"

#include <algorithm>

namespace {

using menu_test::FakeBindings;
using menu_test::FakeSettings;

SettingEntry Entry(std::string_view key, SettingKind kind, std::string_view page, std::string_view label,
                   double value = 0.0, double min = 0.0, double max = 0.0, double step = 0.0) {
    SettingEntry entry;
    entry.key = key;
    entry.kind = kind;
    entry.page = page;
    entry.label = label;
    entry.defaultValue = value;
    entry.min = min;
    entry.max = max;
    entry.step = step;
    return entry;
}

std::vector<SettingEntry> TestSettings() {
    std::vector<SettingEntry> entries = {
        Entry("Controls.mouseSensitivity", SettingKind::Float, "Controls", "Mouse sensitivity", 1.0, 0.5, 2.0,
              0.25),
        Entry("Controls.invertY", SettingKind::Bool, "Controls", "Invert Y"),
        Entry("Display.width", SettingKind::Int, "Video", "Width", 800, 320, 7680, 1),
        Entry("Physics.gravity", SettingKind::Float, "", "Gravity", -9.8, -50, 0, 0.1),
        Entry("Display.MSAA", SettingKind::Int, "Video", "Multisampling", 4, 0, 8, 1),
        Entry("Display.antialiasing", SettingKind::Choice, "Video", "Antialiasing"),
        Entry("Display.height", SettingKind::Int, "Video", "Height", 600, 240, 4320, 1),
        Entry("Audio.volume", SettingKind::Float, "Audio", "Volume", 0.8, 0.0, 1.0, 0.05),
    };
    entries[4].needsRestart = true;
    entries[4].automatic = true;
    entries[5].choices = {"off", "fxaa", "msaa"};
    entries[5].defaultChoice = "msaa";
    return entries;
}

/// One frame of menu input, written as the presses in it.
struct Input : MenuInput {
    Input& Up() {
        ++up;
        return *this;
    }
    Input& Down() {
        ++down;
        return *this;
    }
    Input& Left() {
        ++left;
        return *this;
    }
    Input& Right() {
        ++right;
        return *this;
    }
    Input& Accept() {
        accept = true;
        return *this;
    }
    Input& Back() {
        back = true;
        return *this;
    }
    Input& Pressed(int code) {
        pressed = code;
        return *this;
    }
    Input& Cursor(float x, float y) {
        cursor = Vec2{x, y};
        return *this;
    }
    Input& Click() {
        click = true;
        return *this;
    }
    Input& Wheel(int notches) {
        wheel = notches;
        return *this;
    }
};

class MenuTest : public ::testing::Test {
protected:
    MenuTest() {
        context.settings = TestSettings();
        context.windowSizes = {"640 x 480", "1280 x 720"};
        context.start = [this] { ++starts; };
        context.resume = [this] { ++resumes; };
        context.quit = [this] { ++quits; };
        menu.onOptionsLeft = [this] { ++saves; };
    }

    int IndexOf(const std::string& label) const {
        const auto& items = menu.Page().items;
        const auto found = std::find_if(items.begin(), items.end(),
                                        [&](const MenuItem& item) { return item.label == label; });
        return found == items.end() ? -1 : static_cast<int>(found - items.begin());
    }
    const MenuItem& Item(const std::string& label) const {
        const int index = IndexOf(label);
        EXPECT_GE(index, 0) << label << " is not on " << menu.Page().title;
        return menu.Page().items.at(static_cast<std::size_t>(std::max(index, 0)));
    }
    /// Moves down to the item with this label, as a player pressing Down would.
    void SelectDown(const std::string& label) {
        const int target = IndexOf(label);
        ASSERT_GE(target, 0) << label << " is not on " << menu.Page().title;
        for (std::size_t i = 0; i < menu.Page().items.size() && menu.Selected() != target; ++i)
            menu.MoveSelection(+1);
        ASSERT_EQ(menu.Selected(), target);
    }
    void Press(const MenuInput& input) { menu.Update(input, {}); }

    FakeSettings settings;
    FakeBindings bindings;
    Menu menu{settings, bindings};
    MenuContext context;
    int starts = 0, resumes = 0, quits = 0, saves = 0;
};

TEST_F(MenuTest, MovesRoundPagesAndChangesEachKindWithinItsRange) {
    menu.Open(PauseMenuPage(context));
    EXPECT_EQ(menu.Selected(), 0);
    // Up from the first item wraps to the last.
    menu.MoveSelection(-1);
    EXPECT_EQ(menu.Page().items[static_cast<std::size_t>(menu.Selected())].label, "Quit");
    menu.MoveSelection(+1);
    EXPECT_EQ(menu.Selected(), 0);
    // Two presses within one frame are two steps.
    Press(Input().Down().Down());
    EXPECT_EQ(menu.Selected(), 2);
    menu.MoveSelection(+1);

    menu.MoveSelection(+1);
    Press(Input().Accept());
    ASSERT_EQ(menu.Page().title, "Options");
    for (const char* page : {"Controls", "Video", "Audio", "Game", "Back"})
        EXPECT_GE(IndexOf(page), 0) << page;

    Press(Input().Down());
    Press(Input().Accept());
    ASSERT_EQ(menu.Page().title, "Video");
    // Settings kept in the file only have no item; width and height are one window-size cycler.
    EXPECT_EQ(IndexOf("Gravity"), -1);
    EXPECT_EQ(IndexOf("Width"), -1);
    EXPECT_EQ(IndexOf("Height"), -1);

    SelectDown("Window size");
    EXPECT_EQ(menu.ValueText(Item("Window size")), "800 x 600") << "the current size is among the choices";
    menu.Change(+1);
    EXPECT_EQ(settings.numbers["Display.width"], 640);
    EXPECT_EQ(settings.numbers["Display.height"], 480);
    menu.Change(-1);
    menu.Change(-1);
    EXPECT_EQ(menu.ValueText(Item("Window size")), "1280 x 720") << "the cycler wraps";
    EXPECT_EQ(settings.numbers["Display.height"], 720);

    // The machine chooses until the player does; then the slider steps from the default, within
    // its range, in whole numbers.
    SelectDown("Multisampling");
    EXPECT_EQ(menu.Caption(Item("Multisampling")), "Multisampling (restart)");
    EXPECT_EQ(menu.ValueText(Item("Multisampling")), "auto");
    menu.Change(-1);
    EXPECT_EQ(menu.ValueText(Item("Multisampling")), "3");
    for (int i = 0; i < 10; ++i)
        Press(Input().Right());
    EXPECT_EQ(settings.numbers["Display.MSAA"], 8);
    EXPECT_EQ(menu.Fraction(Item("Multisampling")), 1.0f);

    SelectDown("Antialiasing");
    EXPECT_EQ(menu.ValueText(Item("Antialiasing")), "msaa");
    Press(Input().Accept());
    EXPECT_EQ(settings.choices["Display.antialiasing"], "off") << "past the last choice comes the first";

    Press(Input().Back());
    ASSERT_EQ(menu.Page().title, "Options");
    EXPECT_EQ(menu.Selected(), IndexOf("Video")) << "a page comes back with its selection";
    menu.MoveSelection(-1);
    Press(Input().Accept());
    ASSERT_EQ(menu.Page().title, "Controls");
    EXPECT_EQ(IndexOf("Volume"), -1);

    // A float slider stays on its stops and stops at its ends.
    SelectDown("Mouse sensitivity");
    for (int i = 0; i < 5; ++i)
        menu.Change(-1);
    EXPECT_EQ(settings.numbers["Controls.mouseSensitivity"], 0.5);
    menu.Change(+1);
    EXPECT_EQ(menu.ValueText(Item("Mouse sensitivity")), "0.75");

    SelectDown("Invert Y");
    EXPECT_EQ(menu.ValueText(Item("Invert Y")), "Off");
    Press(Input().Accept());
    EXPECT_EQ(menu.ValueText(Item("Invert Y")), "On");
    Press(Input().Left());
    EXPECT_EQ(settings.numbers["Controls.invertY"], 0.0);

    // Down from the item above a label lands on the item below it.
    const int label = IndexOf("Bindings");
    ASSERT_GT(label, 0);
    ASSERT_FALSE(menu.Page().items[static_cast<std::size_t>(label)].Selectable());
    while (menu.Selected() != label - 1)
        menu.MoveSelection(+1);
    menu.MoveSelection(+1);
    EXPECT_EQ(menu.Selected(), label + 1);
    menu.MoveSelection(-1);
    EXPECT_EQ(menu.Selected(), label - 1);
}

TEST_F(MenuTest, BindsThePressedInputGoesBackAndSavesOnlyAfterAChange) {
    menu.Open(PauseMenuPage(context));
    // Back on the pause menu's own page resumes the game.
    Press(Input().Back());
    EXPECT_EQ(resumes, 1);

    menu.MoveSelection(+1);
    menu.Accept();
    menu.Accept(); // Controls
    ASSERT_EQ(menu.Page().title, "Controls");
    EXPECT_FALSE(menu.Dirty());

    SelectDown("Forward");
    EXPECT_EQ(menu.ValueText(Item("Forward")), "[W]   Up");
    Press(Input().Right());
    EXPECT_EQ(menu.ValueText(Item("Forward")), "W   [Up]");
    Press(Input().Accept());
    ASSERT_TRUE(menu.Capturing());
    EXPECT_EQ(menu.ValueText(Item("Forward")), "W   [press a key]");
    // While waiting for a press, the list does not move and Escape gives up without binding.
    Press(Input().Down());
    EXPECT_EQ(menu.Selected(), IndexOf("Forward"));
    Press(Input().Back().Pressed(GLFW_KEY_ESCAPE));
    EXPECT_FALSE(menu.Capturing());
    EXPECT_EQ(menu.Page().title, "Controls") << "the Escape that cancels does not also leave the page";
    Press(Input().Accept());
    Press(Input().Back());
    EXPECT_FALSE(menu.Capturing());
    EXPECT_TRUE(bindings.bound.empty());
    EXPECT_FALSE(menu.Dirty());

    Press(Input().Accept());
    Press(Input().Pressed(InputCode::Pad(0)));
    ASSERT_EQ(bindings.bound.size(), 1u);
    EXPECT_EQ(bindings.bound[0], (FakeBindings::Bound{Action::Forward, 1, InputCode::Pad(0)}));
    EXPECT_FALSE(menu.Capturing());
    EXPECT_TRUE(menu.Dirty());

    SelectDown("Escape opens the pause menu");
    Press(Input().Accept());
    EXPECT_TRUE(bindings.escapePauses);
    EXPECT_EQ(menu.ValueText(Item("Escape opens the pause menu")), "On");
    SelectDown("Restore default bindings");
    Press(Input().Accept());
    EXPECT_EQ(bindings.restores, 1);

    // Leaving Controls keeps the changes unsaved until Options itself is left.
    Press(Input().Back());
    EXPECT_EQ(menu.Page().title, "Options");
    EXPECT_EQ(saves, 0);
    Press(Input().Back());
    EXPECT_EQ(menu.Page().title, "Paused");
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(resumes, 1) << "going back to the pause menu does not resume";

    // Options visited without a change are not written again.
    menu.Accept(); // Options (still selected)
    ASSERT_EQ(menu.Page().title, "Options");
    Press(Input().Back());
    EXPECT_EQ(saves, 1);

    // The game resumed while Options were open and changed: they are saved all the same.
    menu.Accept();
    menu.Accept(); // Controls
    SelectDown("Invert Y");
    menu.Accept();
    menu.Close();
    EXPECT_FALSE(menu.IsOpen());
    EXPECT_EQ(saves, 2);

    // The start menu's buttons call the game.
    menu.Open(StartMenuPage(context));
    EXPECT_TRUE(menu.Page().compact);
    Press(Input().Accept());
    EXPECT_EQ(starts, 1);
    Press(Input().Up());
    Press(Input().Accept());
    EXPECT_EQ(quits, 1);
}

TEST_F(MenuTest, MouseSelectsWhatItMovesOverClicksAndWheels) {
    menu.Open(PauseMenuPage(context));
    menu.MoveSelection(+1);
    menu.Accept();
    menu.Accept(); // Controls
    ASSERT_EQ(menu.Page().title, "Controls");
    const int slider = IndexOf("Mouse sensitivity");
    const int toggle = IndexOf("Invert Y");
    const std::vector<MenuRect> rects = {{slider, 0, 100, 400, 140}, {toggle, 0, 60, 400, 100}};

    menu.Update(Input().Cursor(50, 80), rects);
    EXPECT_EQ(menu.Selected(), toggle);
    // The keys move the selection away; a cursor resting where it was does not take it back.
    Press(Input().Up().Cursor(50, 80));
    EXPECT_EQ(menu.Selected(), slider);
    menu.Update(Input().Cursor(50, 80), rects);
    EXPECT_EQ(menu.Selected(), slider);

    menu.Update(Input().Cursor(51, 80).Click(), rects);
    EXPECT_EQ(menu.Selected(), toggle);
    EXPECT_EQ(settings.numbers["Controls.invertY"], 1.0) << "a click activates the item under the cursor";
    // A click outside every item changes nothing.
    menu.Update(Input().Cursor(500, 80).Click(), rects);
    EXPECT_EQ(settings.numbers["Controls.invertY"], 1.0);

    // The wheel over a slider moves its value; over anything else it moves the selection.
    menu.Update(Input().Wheel(2).Cursor(50, 120), rects);
    EXPECT_EQ(menu.Selected(), slider);
    EXPECT_EQ(settings.numbers["Controls.mouseSensitivity"], 1.5);
    menu.Update(Input().Wheel(-1).Cursor(50, 80), rects);
    EXPECT_EQ(menu.Selected(), toggle);
}

} // namespace
