#include "ui/Menu.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

/// Escape while waiting for a press gives up the capture instead of binding Escape.
constexpr int kCancelCaptureCode = GLFW_KEY_ESCAPE;

int FirstSelectable(const MenuPage& page) {
    for (std::size_t i = 0; i < page.items.size(); ++i)
        if (page.items[i].Selectable())
            return static_cast<int>(i);
    return -1;
}

std::string FormatNumber(double value, double step, bool integer) {
    int decimals = 0;
    if (!integer) {
        // As many decimals as the step has, so every stop of the slider reads differently.
        for (double s = step; decimals < 3 && std::abs(s - std::round(s)) > 1e-9; s *= 10.0)
            ++decimals;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

} // namespace

Menu::Menu(MenuSettings& settings, MenuBindings& bindings) : settings(settings), bindings(bindings) {}

void Menu::Open(MenuPage root) {
    Close();
    Push(std::move(root));
}

void Menu::Push(MenuPage page) {
    capturing = false;
    bindingSlot = 0;
    if (page.options)
        dirty = false;
    ++pageChanges;
    const int first = FirstSelectable(page);
    stack.push_back(Level{std::move(page), first});
}

void Menu::Pop() {
    if (stack.empty())
        return;
    const bool leavingOptions = stack.back().page.options;
    stack.pop_back();
    ++pageChanges;
    capturing = false;
    bindingSlot = 0;
    if (leavingOptions && dirty) {
        dirty = false;
        if (onOptionsLeft)
            onOptionsLeft();
    }
}

void Menu::Back() {
    if (capturing) {
        capturing = false;
        return;
    }
    if (stack.size() > 1) {
        Pop();
        return;
    }
    if (!stack.empty() && stack.back().page.onBackAtRoot) {
        const auto action = stack.back().page.onBackAtRoot;
        action(*this);
    }
}

void Menu::Close() {
    while (!stack.empty())
        Pop();
}

MenuItem* Menu::SelectedItem() {
    if (stack.empty() || stack.back().selected < 0)
        return nullptr;
    return &stack.back().page.items[static_cast<std::size_t>(stack.back().selected)];
}

void Menu::MoveSelection(int direction) {
    if (stack.empty() || stack.back().selected < 0 || direction == 0)
        return;
    Level& level = stack.back();
    const int count = static_cast<int>(level.page.items.size());
    int index = level.selected;
    // Round the page, over the labels; a page with one selectable item stays on it.
    for (int tries = 0; tries < count; ++tries) {
        index = ((index + (direction > 0 ? 1 : -1)) % count + count) % count;
        if (level.page.items[static_cast<std::size_t>(index)].Selectable())
            break;
    }
    if (level.selected != index)
        bindingSlot = 0;
    level.selected = index;
    capturing = false;
}

double Menu::NumberOf(const MenuItem& item) const {
    if (item.get)
        return item.get();
    return settings.Number(item.key).value_or(item.defaultValue);
}

int Menu::ChoiceIndex(const MenuItem& item) const {
    if (item.get)
        return static_cast<int>(item.get());
    const std::string current = settings.Choice(item.key).value_or(item.defaultChoice);
    const auto found = std::find(item.choices.begin(), item.choices.end(), current);
    return found == item.choices.end() ? -1 : static_cast<int>(found - item.choices.begin());
}

void Menu::SetNumber(const MenuItem& item, double value) {
    if (item.set)
        item.set(value);
    else
        settings.SetNumber(item.key, value);
    Changed();
}

void Menu::SetChoice(const MenuItem& item, int index) {
    if (item.set)
        item.set(index);
    else
        settings.SetChoice(item.key, item.choices[static_cast<std::size_t>(index)]);
    Changed();
}

void Menu::Change(int direction) {
    MenuItem* item = SelectedItem();
    if (item == nullptr || direction == 0 || capturing)
        return;
    switch (item->kind) {
    case MenuItemKind::Toggle:
        SetNumber(*item, NumberOf(*item) != 0.0 ? 0.0 : 1.0);
        break;
    case MenuItemKind::Slider: {
        const double current = std::clamp(NumberOf(*item), item->min, item->max);
        // Kept on the slider's stops, so that steps never pile up a rounding drift.
        const double stops = std::round((current - item->min) / item->step) + (direction > 0 ? 1.0 : -1.0);
        double value = std::clamp(item->min + stops * item->step, item->min, item->max);
        if (item->integer)
            value = std::round(value);
        if (value != NumberOf(*item))
            SetNumber(*item, value);
        break;
    }
    case MenuItemKind::Cycler: {
        const int count = static_cast<int>(item->choices.size());
        if (count == 0)
            break;
        const int current = ChoiceIndex(*item);
        // A value among none of the choices starts from the first one either way.
        const int next = current < 0 ? 0 : ((current + (direction > 0 ? 1 : -1)) % count + count) % count;
        SetChoice(*item, next);
        break;
    }
    case MenuItemKind::Binding:
        bindingSlot = 1 - bindingSlot;
        break;
    case MenuItemKind::Button:
    case MenuItemKind::Label:
        break;
    }
}

void Menu::Run(const MenuItem& item) {
    if (!item.onAccept)
        return;
    const auto action = item.onAccept;
    action(*this);
}

void Menu::Accept() {
    MenuItem* item = SelectedItem();
    if (item == nullptr || capturing)
        return;
    switch (item->kind) {
    case MenuItemKind::Button:
        Run(*item);
        break;
    case MenuItemKind::Toggle:
    case MenuItemKind::Cycler:
        Change(+1);
        break;
    case MenuItemKind::Binding:
        capturing = true;
        break;
    case MenuItemKind::Slider:
    case MenuItemKind::Label:
        break;
    }
}

void Menu::Update(const MenuInput& input, const std::vector<MenuRect>& rects) {
    if (stack.empty())
        return;
    if (capturing) {
        // The press that started the capture came in an earlier frame: this one's press is the
        // input the player wants bound.
        if (input.pressed && *input.pressed != kCancelCaptureCode) {
            const MenuItem* item = SelectedItem();
            if (item != nullptr)
                bindings.Bind(item->action, bindingSlot, *input.pressed);
            capturing = false;
            Changed();
        } else if (input.pressed || input.back) {
            capturing = false;
        }
        lastCursor = input.cursor;
        return;
    }
    const unsigned changesBefore = pageChanges;
    for (int i = 0; i < input.up; ++i)
        MoveSelection(-1);
    for (int i = 0; i < input.down; ++i)
        MoveSelection(+1);
    for (int i = 0; i < input.left; ++i)
        Change(-1);
    for (int i = 0; i < input.right; ++i)
        Change(+1);
    if (input.back) {
        Back();
    } else if (input.accept) {
        Accept();
    }
    // The rectangles were drawn for the page that was shown: after a page change they point at
    // items of another page.
    if (stack.empty() || pageChanges != changesBefore) {
        lastCursor = input.cursor;
        return;
    }

    int hovered = -1;
    if (input.cursor) {
        for (const MenuRect& rect : rects)
            if (rect.Contains(*input.cursor) && rect.item >= 0 &&
                rect.item < static_cast<int>(Page().items.size()) &&
                Page().items[static_cast<std::size_t>(rect.item)].Selectable())
                hovered = rect.item;
    }
    // Only a cursor that moved takes the selection: one resting on an item must not fight the keys.
    const bool moved =
        input.cursor && (!lastCursor || lastCursor->x != input.cursor->x || lastCursor->y != input.cursor->y);
    lastCursor = input.cursor;
    if (input.wheel != 0) {
        // Over a slider or cycler the wheel turns its value; anywhere else it runs down the list.
        const MenuItemKind kind =
            hovered >= 0 ? Page().items[static_cast<std::size_t>(hovered)].kind : MenuItemKind::Label;
        const bool valued = kind == MenuItemKind::Slider || kind == MenuItemKind::Cycler;
        if (valued)
            stack.back().selected = hovered;
        for (int notch = 0; notch < std::abs(input.wheel); ++notch) {
            if (valued)
                Change(input.wheel > 0 ? +1 : -1);
            else
                MoveSelection(input.wheel > 0 ? -1 : +1);
        }
    } else if (hovered >= 0 && (moved || input.click)) {
        if (stack.back().selected != hovered)
            bindingSlot = 0;
        stack.back().selected = hovered;
        if (input.click)
            Accept();
    }
}

std::string Menu::Caption(const MenuItem& item) const {
    return item.needsRestart ? item.label + " (restart)" : item.label;
}

std::string Menu::ValueText(const MenuItem& item) const {
    switch (item.kind) {
    case MenuItemKind::Toggle:
        if (item.automatic && !item.get && !settings.Number(item.key))
            return "auto";
        return NumberOf(item) != 0.0 ? "On" : "Off";
    case MenuItemKind::Slider:
        if (item.automatic && !item.get && !settings.Number(item.key))
            return "auto";
        return FormatNumber(NumberOf(item), item.step, item.integer);
    case MenuItemKind::Cycler: {
        if (item.automatic && !item.get && !settings.Choice(item.key))
            return "auto";
        const int index = ChoiceIndex(item);
        if (index >= 0 && index < static_cast<int>(item.choices.size()))
            return item.choices[static_cast<std::size_t>(index)];
        return item.get ? "" : settings.Choice(item.key).value_or("");
    }
    case MenuItemKind::Binding:
        return SlotText(item, 0) + "   " + SlotText(item, 1);
    case MenuItemKind::Button:
    case MenuItemKind::Label:
        break;
    }
    return "";
}

std::string Menu::SlotText(const MenuItem& item, int slot) const {
    const bool selected = !stack.empty() && stack.back().selected >= 0 &&
                          &stack.back().page.items[static_cast<std::size_t>(stack.back().selected)] == &item;
    const std::string name = bindings.InputName(item.action, slot);
    const bool marked = selected && slot == bindingSlot;
    if (marked && capturing)
        return "[press a key]";
    if (name.empty())
        return marked ? "[-]" : "-";
    return marked ? std::string("[").append(name).append("]") : name;
}

float Menu::Fraction(const MenuItem& item) const {
    if (item.kind != MenuItemKind::Slider || item.max <= item.min)
        return 0.0f;
    return static_cast<float>(std::clamp((NumberOf(item) - item.min) / (item.max - item.min), 0.0, 1.0));
}
