#include "ui/MenuRenderer.h"

#include "ui/HudShapes.h"
#include "ui/TextHandler.h"

#include <algorithm>
#include <cmath>

namespace {

/// The window height the menu's sizes are given for; other heights scale them.
constexpr float kDesignHeight = 720.0f;
/// Below this the text would break up into unreadable pixels; the page scrolls instead.
constexpr float kSmallestScale = 0.5f;
constexpr float kItemTextScale = 0.72f;
constexpr float kTitleTextScale = 0.6f;
constexpr float kHintTextScale = 0.5f;
constexpr float kRowHeight = 44.0f;
constexpr float kMargin = 28.0f;
constexpr float kPadding = 16.0f;
constexpr float kPanelWidth = 900.0f;
constexpr float kSliderWidth = 150.0f;
constexpr float kSliderHeight = 6.0f;
constexpr float kValueColumn = 120.0f;
constexpr float kBindingColumn = 200.0f;
constexpr float kDimOpacity = 0.8f;
constexpr float kPanelOpacity = 0.6f;
constexpr float kHighlightOpacity = 0.55f;
constexpr float kTrackOpacity = 0.6f;

constexpr Vec3 kBlack{0.0f, 0.0f, 0.0f};
constexpr Vec3 kHighlight{0.75f, 0.38f, 0.05f};
constexpr Vec3 kSelectedText{1.0f, 0.9f, 0.45f};
constexpr Vec3 kItemText{0.92f, 0.92f, 0.92f};
constexpr Vec3 kLabelText{0.55f, 0.75f, 0.95f};
constexpr Vec3 kHintText{0.7f, 0.7f, 0.7f};

} // namespace

void MenuRenderer::Scroll(const Menu& menu, int rows) {
    const void* page = &menu.Page();
    if (page != scrolledPage || menu.Depth() != scrolledDepth)
        firstShown = 0;
    scrolledPage = page;
    scrolledDepth = menu.Depth();
    const int count = static_cast<int>(menu.Page().items.size());
    const int selected = menu.Selected();
    if (selected >= 0) {
        if (selected < firstShown)
            firstShown = selected;
        if (selected >= firstShown + rows)
            firstShown = selected - rows + 1;
        // A label just above the first selectable row of its group comes into view with it.
        if (firstShown > 0 && firstShown == selected && !menu.Page().items[firstShown - 1].Selectable())
            --firstShown;
    }
    firstShown = std::clamp(firstShown, 0, std::max(0, count - rows));
}

void MenuRenderer::Draw(const Menu& menu, int width, int height) {
    rects.clear();
    if (!menu.IsOpen() || width <= 0 || height <= 0)
        return;
    const float s = std::max(kSmallestScale, static_cast<float>(height) / kDesignHeight);
    if (menu.Page().compact) {
        DrawCompact(menu, width, height, s);
        return;
    }
    TextHandler& text = TextHandler::GetInstance();
    HudShapes& shapes = HudShapes::GetInstance();
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    const MenuPage& page = menu.Page();

    const float titleScale = kTitleTextScale * s;
    const float titleCap = text.CapHeight(kLargeFont) * titleScale;
    const float titleY = h - kMargin * s - titleCap;
    const float itemScale = kItemTextScale * s;
    const float itemCap = text.CapHeight(kSmallFont) * itemScale;
    const float hintScale = kHintTextScale * s;
    const float hintY = kMargin * s * 0.7f;
    const float row = kRowHeight * s;
    const float top = titleY - kMargin * s;
    const float bottom = hintY + text.CapHeight(kSmallFont) * hintScale + kMargin * s * 0.7f;
    const int rows = std::max(1, static_cast<int>((top - bottom) / row));
    Scroll(menu, rows);

    const float panelWidth = std::min(w - 2.0f * kMargin * s, kPanelWidth * s);
    const float x0 = (w - panelWidth) * 0.5f;
    const float x1 = x0 + panelWidth;
    const int count = static_cast<int>(page.items.size());
    const int last = std::min(count, firstShown + rows);
    for (int i = firstShown; i < last; ++i) {
        const float rowTop = top - static_cast<float>(i - firstShown) * row;
        rects.push_back(MenuRect{i, x0, rowTop - row, x1, rowTop});
    }

    // The picture dimmed, and darker still under the list so that the HUD does not read through
    // the items: side by side rather than one over the other, each pixel is blended once. A
    // software renderer pays for each draw, so the shapes come in three: black, the highlight
    // (with the sliders' tracks) and the sliders' fill.
    const float panelBottom = top - static_cast<float>(last - firstShown) * row;
    shapes.AddRect(0.0f, 0.0f, w, panelBottom, kDimOpacity);
    shapes.AddRect(0.0f, top, w, h, kDimOpacity);
    shapes.AddRect(0.0f, panelBottom, x0, top, kDimOpacity);
    shapes.AddRect(x1, panelBottom, w, top, kDimOpacity);
    shapes.AddRect(x0, panelBottom, x1, top, 1.0f - (1.0f - kDimOpacity) * (1.0f - kPanelOpacity));
    const float barRight = x1 - kPadding * s - kValueColumn * s;
    const float barLeft = barRight - kSliderWidth * s;
    const float half = kSliderHeight * s * 0.5f;
    std::vector<MenuRect> bars;
    for (const MenuRect& rect : rects) {
        const MenuItem& item = page.items[static_cast<std::size_t>(rect.item)];
        if (item.kind != MenuItemKind::Slider)
            continue;
        const float cy = (rect.y0 + rect.y1) * 0.5f;
        bars.push_back(MenuRect{rect.item, barLeft, cy - half,
                                barLeft + (barRight - barLeft) * menu.Fraction(item), cy + half});
        // On the highlight a track shows dark, elsewhere in the highlight's colour.
        if (rect.item == menu.Selected())
            shapes.AddRect(barLeft, cy - half, barRight, cy + half, kTrackOpacity);
    }
    shapes.Flush(kBlack, width, height);
    for (const MenuRect& rect : rects)
        if (rect.item == menu.Selected())
            shapes.AddRect(rect.x0, rect.y0, rect.x1, rect.y1, kHighlightOpacity);
    for (const MenuRect& bar : bars)
        if (bar.item != menu.Selected())
            shapes.AddRect(barLeft, bar.y0, barRight, bar.y1, kTrackOpacity);
    shapes.Flush(kHighlight, width, height);
    // Sliders show their place in the range as a bar beside the number.
    for (const MenuRect& bar : bars)
        shapes.AddRect(bar.x0, bar.y0, bar.x1, bar.y1, 1.0f);
    shapes.Flush(kSelectedText, width, height);

    // One draw per colour: a software renderer pays for every draw call, not for the glyphs.
    std::vector<TextRun> titleRuns, itemRuns, selectedRuns, labelRuns, hintRuns;
    const auto add = [](std::vector<TextRun>& runs, const std::string& line, float x, float y, float scale) {
        runs.push_back(TextRun{line, x, y, scale});
    };
    const auto rightAligned = [&text, itemScale](const std::string& line, float right) {
        return right - text.TextWidth(line, kSmallFont) * itemScale;
    };
    add(titleRuns, page.title, (w - text.TextWidth(page.title, kLargeFont) * titleScale) * 0.5f, titleY,
        titleScale);
    const bool allButtons = std::all_of(page.items.begin(), page.items.end(), [](const MenuItem& item) {
        return item.kind == MenuItemKind::Button;
    });
    for (const MenuRect& rect : rects) {
        const MenuItem& item = page.items[static_cast<std::size_t>(rect.item)];
        const bool selected = rect.item == menu.Selected();
        const float baseline = rect.y0 + (row - itemCap) * 0.5f;
        const std::string caption = menu.Caption(item);
        std::vector<TextRun>& values = selected ? selectedRuns : itemRuns;
        std::vector<TextRun>& captions = !item.Selectable() ? labelRuns : values;
        if (allButtons) {
            // A page of buttons alone reads as a menu when centred.
            add(captions, caption, (w - text.TextWidth(caption, kSmallFont) * itemScale) * 0.5f, baseline,
                itemScale);
            continue;
        }
        add(captions, caption, x0 + kPadding * s, baseline, itemScale);
        if (item.kind == MenuItemKind::Binding) {
            // The two slots in columns of their own, so the inputs line up down the list.
            for (int slot = 0; slot < 2; ++slot) {
                const std::string name = menu.SlotText(item, slot);
                const float right = x1 - kPadding * s - (slot == 0 ? kBindingColumn * s : 0.0f);
                add(values, name, rightAligned(name, right), baseline, itemScale);
            }
            continue;
        }
        const std::string value = menu.ValueText(item);
        if (!value.empty())
            add(values, value, rightAligned(value, x1 - kPadding * s), baseline, itemScale);
    }
    // More above or below than fits: small marks at the list's ends say so.
    if (firstShown > 0)
        add(hintRuns, "...", x0 + kPadding * s, top + itemCap * 0.2f, itemScale * 0.8f);
    if (last < count)
        add(hintRuns, "...", x0 + kPadding * s, panelBottom - itemCap, itemScale * 0.8f);
    const std::string hint = menu.Capturing() ? kCaptureHint : kHint;
    add(hintRuns, hint, (w - text.TextWidth(hint, kSmallFont) * hintScale) * 0.5f, hintY, hintScale);

    text.DrawRuns(titleRuns, kLargeFont, kItemText);
    text.DrawRuns(itemRuns, kSmallFont, kItemText);
    text.DrawRuns(labelRuns, kSmallFont, kLabelText);
    text.DrawRuns(selectedRuns, kSmallFont, kSelectedText);
    text.DrawRuns(hintRuns, kSmallFont, kHintText);
}

void MenuRenderer::DrawCompact(const Menu& menu, int width, int height, float s) {
    TextHandler& text = TextHandler::GetInstance();
    HudShapes& shapes = HudShapes::GetInstance();
    const MenuPage& page = menu.Page();
    const float itemScale = kItemTextScale * s * 0.85f;
    const float itemCap = text.CapHeight(kSmallFont) * itemScale;
    const float row = kRowHeight * s * 0.85f;
    float widest = 0.0f;
    for (const MenuItem& item : page.items)
        widest = std::max(widest, text.TextWidth(item.label, kSmallFont) * itemScale);
    // The bottom-left corner, clear of the start screen's centred texts.
    const float x0 = kMargin * s * 0.5f;
    const float x1 = x0 + widest + 2.0f * kPadding * s;
    const int count = static_cast<int>(page.items.size());
    for (int i = 0; i < count; ++i) {
        const float rowTop = kMargin * s * 0.5f + static_cast<float>(count - i) * row;
        rects.push_back(MenuRect{i, x0, rowTop - row, x1, rowTop});
    }
    firstShown = 0;
    for (const MenuRect& rect : rects)
        if (rect.item == menu.Selected())
            shapes.AddRect(rect.x0, rect.y0, rect.x1, rect.y1, kHighlightOpacity);
    shapes.Flush(kHighlight, width, height);
    std::vector<TextRun> itemRuns, selectedRuns;
    for (const MenuRect& rect : rects) {
        const MenuItem& item = page.items[static_cast<std::size_t>(rect.item)];
        (rect.item == menu.Selected() ? selectedRuns : itemRuns)
            .push_back(TextRun{item.label, x0 + kPadding * s, rect.y0 + (row - itemCap) * 0.5f, itemScale});
    }
    text.DrawRuns(itemRuns, kSmallFont, kItemText);
    text.DrawRuns(selectedRuns, kSmallFont, kSelectedText);
}
