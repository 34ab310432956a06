#pragma once
// The game's menus in play: the start menu on the start screen, the pause menu whenever the
// game is paused, and the Options pages under both. Each frame it takes the player's menu input
// from one place, follows the game's state (started, paused) and draws the open page over the
// picture. While a page is open the game's own keys and buttons do not reach the game.

#include "app/ConfigMenuSettings.h"
#include "app/KeyMenuBindings.h"
#include "ui/Menu.h"
#include "ui/MenuPages.h"
#include "ui/MenuRenderer.h"

#include <functional>

struct GLFWwindow;

class MenuController {
public:
    /// Menus for `window`, offering `settings` in the Options pages and the primary monitor's
    /// modes as window sizes.
    MenuController(GLFWwindow* window, std::vector<SettingSpec> settings);
    ~MenuController();
    MenuController(const MenuController&) = delete;
    MenuController& operator=(const MenuController&) = delete;

    /// Puts the menus between the window's keys and buttons and the game; undone on destruction.
    void InstallInput();
    /// Once a frame after the window's events: the menu takes its input, then opens or closes to
    /// match the game (start screen, paused, playing).
    void Update();
    /// Draws the open page over the finished picture; nothing at all while no menu is open.
    void Draw();

    bool IsOpen() const { return menu.IsOpen(); }
    Menu& Model() { return menu; }
    const MenuRenderer& Renderer() const { return renderer; }

    /// Runs when the player leaves Options after changing something: the settings are saved.
    std::function<void()> saveSettings;

private:
    enum class Shown { None, Start, Pause };

    /// The one place devices reach the menu: keys, buttons and the wheel gathered by the window's
    /// callbacks since the last frame, and the cursor now.
    MenuInput ReadInput();
    /// Whether a key goes to the menu rather than the game.
    bool TakesKey(int key) const;
    void OnKey(int key, int action);
    void OnMouseButton(int button, int action);
    void OnScroll(double yOffset);
    void Follow();
    void OpenStart();
    void OpenPause();
    void CloseMenu();
    /// A press of `key` as if the window reported it: the game (and a recording) sees a start or
    /// a resume as the key that does it.
    static void PressForGame(int key);

    GLFWwindow* window;
    ConfigMenuSettings settingsAccess;
    KeyMenuBindings bindingsAccess;
    Menu menu;
    MenuContext context;
    MenuRenderer renderer;
    Shown shown = Shown::None;
    MenuInput pending;
    bool installed = false;
    /// What the window did before the menus were put in front: where the game's input goes.
    void (*previousKey)(GLFWwindow*, int, int, int, int) = nullptr;
    void (*previousButton)(GLFWwindow*, int, int, int) = nullptr;
    void (*previousScroll)(GLFWwindow*, double, double) = nullptr;
};

/// The settings the Options pages offer: those the game reads today that change the player's
/// comfort, not the game.
const std::vector<SettingSpec>& OfferedSettings();
