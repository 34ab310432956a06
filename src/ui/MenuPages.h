#pragma once
// The game's menu pages as data: the start and pause menus, Options and its four pages. The
// settings pages list the given settings entries whose page matches, so a new setting is one
// entry of the catalog and no code here.

#include "core/SettingsCatalog.h"
#include "ui/Menu.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

/// What the pages need from the game. It must outlive every page built from it: their items
/// call back into it.
struct MenuContext {
    /// The settings a player may change, in the order the pages list them.
    std::vector<SettingEntry> settings;
    /// The window sizes offered ("1280 x 720"), the monitor's modes; none offers the width and
    /// height as plain numbers.
    std::vector<std::string> windowSizes;
    std::function<void()> start;
    std::function<void()> resume;
    std::function<void()> quit;
};

/// The Options sub-pages in the order the Options page lists them.
inline constexpr std::string_view kOptionsPages[] = {"Controls", "Video", "Audio", "Game"};

MenuPage StartMenuPage(const MenuContext& context);
/// Back on its root page resumes, as Resume does.
MenuPage PauseMenuPage(const MenuContext& context);
MenuPage OptionsPage(const MenuContext& context);
/// One Options sub-page: the settings of `page` and, on Controls, every binding, a restore
/// item and the Escape choice; Video offers the window size as one cycler over the given sizes.
MenuPage SettingsPage(const MenuContext& context, std::string_view page, Menu& menu);

/// "collisionView" -> "Collision view": an action as the Controls page names it.
std::string ActionLabel(Action action);
