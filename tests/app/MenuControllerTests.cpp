// The menus over the real game, fed the frame's record as the frame loop feeds them: what an open
// menu holds back from the game, and that its Start and Resume reach the game exactly once.
#include "app/GameMenuBindings.h"
#include "app/MenuController.h"
#include "core/ConfigHandler.h"
#include "core/InputHandler.h"
#include "core/SettingsCatalog.h"
#include "game/GameLoop.h"
#include "game/GamePause.h"

#include "support/GameHarness.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

namespace {

using testing_support::GameHarness;

/// One frame up to the world's update, in the frame loop's order: the record, the menus, the game.
ActionRecord Frame(MenuController& menus) {
    InputHandler& input = InputHandler::GetInstance();
    ActionRecord record = input.BuildRecord();
    menus.Update(record);
    input.Apply(record);
    GameHarness::Get().StepOnce();
    return record;
}

void Tap(int key) {
    InputHandler::GetInstance().OnKey(key, GLFW_PRESS);
    InputHandler::GetInstance().OnKey(key, GLFW_RELEASE);
}

} // namespace

TEST(MenuController, AnOpenMenuHoldsTheGameBackAndStartsAndResumesItOnce) {
    GameHarness::Get();
    InputHandler& input = InputHandler::GetInstance();
    GameLoop& flow = GameLoop::GetInstance();
    GamePause& pause = GamePause::GetInstance();
    GLFWwindow* window = glfwGetCurrentContext();
    ASSERT_FALSE(flow.started);
    MenuController menus(window, SettingsCatalog());
    Frame(menus);
    ASSERT_TRUE(menus.IsOpen()) << "no start menu on the start screen";

    // On the start menu walking is held back; Enter on "Start" starts the game through the next
    // record, as a recording must see it.
    input.OnKey(GLFW_KEY_W, GLFW_PRESS);
    Tap(GLFW_KEY_ENTER);
    ActionRecord record = Frame(menus);
    EXPECT_FALSE(record.Holds(Action::Forward));
    EXPECT_TRUE(record.Pressed(Action::MenuAccept));
    EXPECT_FALSE(flow.started);
    record = Frame(menus);
    EXPECT_TRUE(record.Pressed(Action::Start));
    EXPECT_TRUE(flow.started);
    Frame(menus);
    EXPECT_FALSE(menus.IsOpen());
    EXPECT_TRUE(Frame(menus).Holds(Action::Forward)) << "walking stays held back after the menu closed";
    input.OnKey(GLFW_KEY_W, GLFW_RELEASE);

    // P pauses and the pause menu opens; a click there is no shot, Escape is no quit but goes
    // back, and the resume it asks for comes once.
    Tap(GLFW_KEY_P);
    Frame(menus);
    Frame(menus);
    ASSERT_TRUE(pause.IsPaused());
    ASSERT_TRUE(menus.IsOpen());
    input.OnMouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS);
    input.OnMouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE);
    EXPECT_FALSE(Frame(menus).Pressed(Action::Shoot));
    Tap(GLFW_KEY_ESCAPE);
    record = Frame(menus);
    EXPECT_FALSE(record.Pressed(Action::Quit));
    EXPECT_FALSE(glfwWindowShouldClose(window));
    EXPECT_TRUE(Frame(menus).Pressed(Action::Pause));
    for (int i = 0; i < 5; ++i)
        Frame(menus);
    EXPECT_FALSE(pause.IsPaused());
    EXPECT_FALSE(menus.IsOpen());

    // With Escape bound to pause (the Controls page's switch), Escape pauses; on the pause menu
    // it resumes by itself, and going back must not resume (and so pause) a second time.
    GameMenuBindings bindings;
    bindings.SetEscapeOpensPause(true);
    // Both actions changed, so both go into the settings to be saved.
    EXPECT_TRUE(ConfigHandler::GetInstance().Has("Bindings.pause"));
    EXPECT_TRUE(ConfigHandler::GetInstance().Has("Bindings.quit"));
    Tap(GLFW_KEY_ESCAPE);
    record = Frame(menus);
    EXPECT_TRUE(record.Pressed(Action::Pause));
    EXPECT_FALSE(record.Pressed(Action::Quit));
    Frame(menus);
    ASSERT_TRUE(menus.IsOpen());
    Tap(GLFW_KEY_ESCAPE);
    for (int i = 0; i < 5; ++i)
        Frame(menus);
    EXPECT_FALSE(pause.IsPaused());
    EXPECT_FALSE(menus.IsOpen());
    bindings.SetEscapeOpensPause(false);
    EXPECT_FALSE(ConfigHandler::GetInstance().Has("Bindings.pause"));
    EXPECT_FALSE(glfwWindowShouldClose(window));
}
