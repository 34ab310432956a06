#pragma once
// An open menu: a stack of pages, the selected item of each, and what the player's input does
// to them (move, change a value, accept, go back, wait for a press to bind). It draws nothing;
// MenuRenderer shows it. Settings and bindings are read and changed only through the access
// interfaces, so the same model runs the game's menus and the tests'.

#include "ui/MenuAccess.h"
#include "ui/MenuInput.h"
#include "ui/MenuItem.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct MenuPage {
    std::string title;
    std::vector<MenuItem> items;
    /// The Options page: opening it starts a fresh count of changes, leaving it saves them.
    bool options = false;
    /// Drawn small in a corner without dimming the picture: a menu that shares the screen.
    bool compact = false;
    /// Back on this page when it is the only one (the pause menu resumes); nothing when empty.
    std::function<void(Menu&)> onBackAtRoot;
};

class Menu {
public:
    Menu(MenuSettings& settings, MenuBindings& bindings);

    /// Shows `root` alone, leaving whatever was open (and saving Options if they changed).
    void Open(MenuPage root);
    void Push(MenuPage page);
    /// Cancels a capture, or leaves the page; on the root page runs its `onBackAtRoot`.
    void Back();
    /// Leaves every page, saving Options if they changed.
    void Close();

    /// One frame of input: capture first, then keys, then the mouse against `rects` (where each
    /// visible item was drawn).
    void Update(const MenuInput& input, const std::vector<MenuRect>& rects);
    void MoveSelection(int direction);
    /// Left (-1) or right (+1) on the selected item: a slider steps, a cycler turns, a toggle
    /// flips, a binding picks its other slot.
    void Change(int direction);
    /// Enter: a button runs, a toggle flips, a cycler turns, a binding waits for a press.
    void Accept();

    bool IsOpen() const { return !stack.empty(); }
    std::size_t Depth() const { return stack.size(); }
    /// The page shown; only while open.
    const MenuPage& Page() const { return stack.back().page; }
    /// The selected item's index on the page shown, -1 on a page with nothing to select.
    int Selected() const { return stack.empty() ? -1 : stack.back().selected; }
    bool Capturing() const { return capturing; }
    /// The slot (0 or 1) a binding item changes.
    int BindingSlot() const { return bindingSlot; }
    /// Something changed since Options were opened.
    bool Dirty() const { return dirty; }

    /// The label as shown: with "(restart)" for a setting used only from the next start.
    std::string Caption(const MenuItem& item) const;
    /// The value as shown: "On"/"Off", the number, the choice, "auto", or the two inputs.
    std::string ValueText(const MenuItem& item) const;
    /// One slot of a binding as shown: the input's name, "-" for none, "[...]" round the slot
    /// that changes and "press a key" while it waits for one.
    std::string SlotText(const MenuItem& item, int slot) const;
    /// A slider's place in its range, 0 to 1.
    float Fraction(const MenuItem& item) const;

    MenuSettings& Settings() { return settings; }
    MenuBindings& Bindings() { return bindings; }

    /// Called on leaving Options after something changed in them: the game saves its settings.
    std::function<void()> onOptionsLeft;

private:
    struct Level {
        MenuPage page;
        int selected = -1;
    };

    double NumberOf(const MenuItem& item) const;
    int ChoiceIndex(const MenuItem& item) const;
    void SetNumber(const MenuItem& item, double value);
    void SetChoice(const MenuItem& item, int index);
    /// Pops the top page, saving if it was Options and they changed.
    void Pop();
    void Changed() { dirty = true; }
    /// Runs a button's action on a copy: the action may replace the page that holds it.
    void Run(const MenuItem& item);
    MenuItem* SelectedItem();

    MenuSettings& settings;
    MenuBindings& bindings;
    std::vector<Level> stack;
    bool capturing = false;
    int bindingSlot = 0;
    bool dirty = false;
    std::optional<Vec2> lastCursor;
    /// Counts pages opened and left, so one frame's input knows the page changed under it.
    unsigned pageChanges = 0;
};
