#include "ui/TextLayout.h"

#include <algorithm>

TextLayout::TextLayout(const Font* font, int screenWidth, int screenHeight, float lineSpacing)
    : font(font), screenWidth(static_cast<float>(screenWidth)),
      screenHeight(static_cast<float>(screenHeight)), lineSpacing(lineSpacing) {}

const Glyph& TextLayout::GlyphOf(char c) const {
    static const Glyph none;
    const Glyph* glyph = font == nullptr ? nullptr : font->Find(c);
    return glyph == nullptr ? none : *glyph;
}

float TextLayout::Width(const std::string& text) const {
    unsigned int pixels = 0;
    for (char c : text)
        pixels += GlyphOf(c).advance >> 6;
    return static_cast<float>(pixels);
}

float TextLayout::CapHeight() const {
    return static_cast<float>(GlyphOf('H').bearing[1]);
}

TextLayout::Anchor TextLayout::Place(int align, float width, Vec2 position) const {
    const float w = screenWidth;
    const float h = screenHeight;
    const float cap = CapHeight();
    switch (align) {
    case Absolute:
        return {true, position, 1.0f};
    case TopCenter:
        return {true, {(w - width) * 0.5f + position.x, h - cap + position.y}, -1.0f};
    case BottomCenter:
        return {true, {(w - width) * 0.5f + position.x, position.y}, 1.0f};
    case BottomRight:
        return {true, {w - width + position.x, position.y}, 1.0f};
    case TopRight:
        return {true, {w - width + position.x, h - cap + position.y}, -1.0f};
    case Center:
        return {true, {(w - width) * 0.5f + position.x, (h - cap) * 0.5f + position.y}, -1.0f};
    default:
        return {};
    }
}

PenPosition TextLayout::Entry(const std::string& text, int align, Vec2 position) const {
    const Anchor anchor = Place(align, Width(text), position);
    if (!anchor.valid)
        return {};
    return {true, anchor.pen.x, anchor.pen.y};
}

std::vector<Vec2> TextLayout::Block(const std::vector<std::string>& lines, int align, Vec2 position) const {
    // Top-right blocks have no layout of their own; nothing uses them.
    if (align == TopRight)
        return {};
    float widest = 0.0f;
    for (const std::string& line : lines)
        widest = std::max(widest, Width(line));
    const Anchor anchor = Place(align, widest, position);
    if (!anchor.valid)
        return {};

    // Blocks line up the widest line as an entry would be, and the others share its left edge.
    const float step = static_cast<float>(GlyphOf('H').size[1]) + lineSpacing;
    std::vector<Vec2> pens;
    pens.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        pens.push_back({anchor.pen.x, anchor.pen.y + anchor.direction * step * static_cast<float>(i)});
    return pens;
}
