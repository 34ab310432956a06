#pragma once
// Draws an open menu over the finished picture at the window's resolution: a dimmed screen, the
// page's title, its items with their values, the selected one highlighted, and a hint line.
// Sizes follow the window's height, so a page reads alike at 640 x 480 and 1920 x 1080; a page
// taller than the window scrolls to keep the selection in view.

#include "ui/Menu.h"
#include "ui/MenuInput.h"

#include <vector>

class MenuRenderer {
public:
    /// Draws the page shown by `menu` over a `width` x `height` window (the text renderer's
    /// size) and notes where each item went; nothing, and no rectangles, for a closed menu.
    void Draw(const Menu& menu, int width, int height);
    /// Where each visible item of the last drawn page lies, for the mouse.
    const std::vector<MenuRect>& Rects() const { return rects; }
    /// The first item row shown on the last drawn page.
    int FirstShown() const { return firstShown; }

    static constexpr const char* kHint = "Enter select   Esc back";
    static constexpr const char* kCaptureHint = "Press a key, button or pad button   Esc cancels";

private:
    void DrawCompact(const Menu& menu, int width, int height, float scale);
    /// Keeps the selected row among the `rows` shown, moving the view as little as it can.
    void Scroll(const Menu& menu, int rows);

    std::vector<MenuRect> rects;
    int firstShown = 0;
    /// The page the scroll belongs to: another page starts at its top.
    const void* scrolledPage = nullptr;
    std::size_t scrolledDepth = 0;
};
