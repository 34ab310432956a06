#include "ui/MenuPages.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace {

constexpr std::string_view kWidthKey = "Display.width";
constexpr std::string_view kHeightKey = "Display.height";

MenuItem BackItem() {
    return MenuItem::Button("Back", [](Menu& menu) { menu.Back(); });
}

std::string SizeName(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

/// The window size as one cycler over `sizes`, the current size among them even when the
/// monitor does not list it.
MenuItem WindowSizeItem(const std::vector<std::string>& sizes, const SettingEntry& width,
                        const SettingEntry& height, MenuSettings& settings) {
    const int w = static_cast<int>(settings.Number(width.key).value_or(width.defaultValue));
    const int h = static_cast<int>(settings.Number(height.key).value_or(height.defaultValue));
    MenuItem item;
    item.kind = MenuItemKind::Cycler;
    item.label = "Window size";
    item.needsRestart = width.needsRestart || height.needsRestart;
    item.choices = sizes;
    if (std::find(sizes.begin(), sizes.end(), SizeName(w, h)) == sizes.end())
        item.choices.insert(item.choices.begin(), SizeName(w, h));
    const std::vector<std::string> choices = item.choices;
    item.get = [&settings, choices, width, height] {
        const std::string now =
            SizeName(static_cast<int>(settings.Number(width.key).value_or(width.defaultValue)),
                     static_cast<int>(settings.Number(height.key).value_or(height.defaultValue)));
        const auto found = std::find(choices.begin(), choices.end(), now);
        return found == choices.end() ? -1.0 : static_cast<double>(found - choices.begin());
    };
    item.set = [&settings, choices, width, height](double index) {
        int newWidth = 0, newHeight = 0;
        if (std::sscanf(choices[static_cast<std::size_t>(index)].c_str(), "%d x %d", &newWidth, &newHeight) !=
            2)
            return;
        settings.SetNumber(width.key, newWidth);
        settings.SetNumber(height.key, newHeight);
    };
    return item;
}

void AddBindings(std::vector<MenuItem>& items, Menu& menu) {
    MenuBindings& bindings = menu.Bindings();
    items.push_back(MenuItem::Label("Bindings"));
    for (Action action : bindings.Actions()) {
        MenuItem item;
        item.kind = MenuItemKind::Binding;
        item.label = ActionLabel(action);
        item.action = action;
        items.push_back(std::move(item));
    }
    MenuItem escape;
    escape.kind = MenuItemKind::Toggle;
    escape.label = "Escape opens the pause menu";
    escape.get = [&bindings] { return bindings.EscapeOpensPause() ? 1.0 : 0.0; };
    escape.set = [&bindings](double on) { bindings.SetEscapeOpensPause(on != 0.0); };
    items.push_back(std::move(escape));
    items.push_back(
        MenuItem::Button("Restore default bindings", [](Menu& m) { m.Bindings().RestoreDefaults(); }));
}

} // namespace

std::string ActionLabel(Action action) {
    std::string label;
    for (char c : ActionName(action)) {
        if (std::isupper(static_cast<unsigned char>(c))) {
            label += ' ';
            label += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else {
            label += label.empty() ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
        }
    }
    return label;
}

MenuPage StartMenuPage(const MenuContext& context) {
    MenuPage page;
    page.title = "korvane";
    page.compact = true;
    page.items.push_back(MenuItem::Button("Start", [&context](Menu&) { context.start(); }));
    page.items.push_back(
        MenuItem::Button("Options", [&context](Menu& menu) { menu.Push(OptionsPage(context)); }));
    page.items.push_back(MenuItem::Button("Quit", [&context](Menu&) { context.quit(); }));
    return page;
}

MenuPage PauseMenuPage(const MenuContext& context) {
    MenuPage page;
    page.title = "Paused";
    page.items.push_back(MenuItem::Button("Resume", [&context](Menu&) { context.resume(); }));
    page.items.push_back(
        MenuItem::Button("Options", [&context](Menu& menu) { menu.Push(OptionsPage(context)); }));
    page.items.push_back(MenuItem::Button("Quit", [&context](Menu&) { context.quit(); }));
    page.onBackAtRoot = [&context](Menu&) { context.resume(); };
    return page;
}

MenuPage OptionsPage(const MenuContext& context) {
    MenuPage page;
    page.title = "Options";
    page.options = true;
    for (std::string_view name : kOptionsPages)
        page.items.push_back(MenuItem::Button(std::string(name), [&context, name](Menu& menu) {
            menu.Push(SettingsPage(context, name, menu));
        }));
    page.items.push_back(BackItem());
    return page;
}

MenuPage SettingsPage(const MenuContext& context, std::string_view name, Menu& menu) {
    MenuPage page;
    page.title = std::string(name);
    const auto find = [&context, name](std::string_view key) -> const SettingEntry* {
        for (const SettingEntry& entry : context.settings)
            if (entry.key == key && entry.page == name)
                return &entry;
        return nullptr;
    };
    const SettingEntry* width = find(kWidthKey);
    const SettingEntry* height = find(kHeightKey);
    const bool sizeCycler = width != nullptr && height != nullptr && !context.windowSizes.empty();
    bool sizeListed = false;
    for (const SettingEntry& entry : context.settings) {
        if (entry.page != name)
            continue;
        if (sizeCycler && (entry.key == kWidthKey || entry.key == kHeightKey)) {
            // One item for the pair, where the first of them stands.
            if (!sizeListed)
                page.items.push_back(WindowSizeItem(context.windowSizes, *width, *height, menu.Settings()));
            sizeListed = true;
            continue;
        }
        page.items.push_back(MenuItem::ForSetting(entry));
    }
    if (name == "Controls")
        AddBindings(page.items, menu);
    page.items.push_back(BackItem());
    return page;
}
