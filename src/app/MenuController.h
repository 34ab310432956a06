#pragma once
// The game's menus in play: the start menu on the start screen, the pause menu whenever the
// game is paused, and the Options pages under both. Each frame it takes the player's menu input
// from one place, follows the game's state (started, paused) and draws the open page over the
// picture. While a page is open the game's own keys and buttons do not reach the game.

#include "app/ConfigMenuSettings.h"
#include "app/GameMenuBindings.h"
#include "core/ActionRecord.h"
#include "ui/Menu.h"
#include "ui/MenuPages.h"
#include "ui/MenuRenderer.h"

#include <functional>

struct GLFWwindow;

class MenuController {
public:
    /// Menus for `window`, offering `settings` in the Options pages and the primary monitor's
    /// modes as window sizes.
    MenuController(GLFWwindow* window, std::vector<SettingEntry> settings);
    ~MenuController();
    MenuController(const MenuController&) = delete;
    MenuController& operator=(const MenuController&) = delete;

    /// Once a frame, with the frame's record before the game gets it: an open menu takes its
    /// own actions (and the pressed input, for a binding), then the menus open or close to match
    /// the game (start screen, paused, playing). While a menu is open the input layer holds the
    /// game's own actions back and the view still.
    void Update(const ActionRecord& record);
    /// Draws the open page over the finished picture; nothing at all while no menu is open.
    void Draw();

    bool IsOpen() const { return menu.IsOpen(); }
    Menu& Model() { return menu; }
    const MenuRenderer& Renderer() const { return renderer; }

    /// Runs when the player leaves Options after changing something: the settings are saved.
    std::function<void()> saveSettings;

private:
    enum class Shown { None, Start, Pause };

    /// The one place devices reach the menu: the record's menu actions, the inputs pressed for
    /// it, the wheel since the last frame and the cursor now.
    MenuInput ReadInput(const ActionRecord& record);
    /// Whether an action reaches the game while the open page is shown.
    bool Allows(Action action) const;
    void OnScroll(double yOffset);
    void Follow();
    void OpenStart();
    void OpenPause();
    void CloseMenu();

    GLFWwindow* window;
    ConfigMenuSettings settingsAccess;
    GameMenuBindings bindingsAccess;
    Menu menu;
    MenuContext context;
    MenuRenderer renderer;
    Shown shown = Shown::None;
    int pendingWheel = 0;
    void (*previousScroll)(GLFWwindow*, double, double) = nullptr;
};
