#pragma once
// Measures lines in one font and places them on the screen: where each item's pen starts for
// its alignment, in pixels from the bottom-left corner.

#include "core/MathTypes.h"
#include "ui/Font.h"

#include <string>
#include <vector>

enum TextAlign : int {
    Absolute = 0,
    TopCenter = 1,
    BottomCenter = 2,
    BottomRight = 3,
    TopRight = 4,
    Center = 5,
};

/// Where a pen starts for one item (the first line of a block); `valid` is false for an
/// alignment that draws nothing.
struct PenPosition {
    bool valid = false;
    float x = 0.0f;
    float y = 0.0f;
};

class TextLayout {
public:
    /// `font` may be null: a font never loaded measures nothing.
    TextLayout(const Font* font, int screenWidth, int screenHeight, float lineSpacing);

    /// Width in pixels of a line (sum of whole-pixel advances).
    float Width(const std::string& text) const;
    /// The top bearing of the font's 'H'.
    float CapHeight() const;
    PenPosition Entry(const std::string& text, int align, Vec2 position) const;
    /// Pen of each line of a block, first line first; empty for an alignment that draws nothing.
    std::vector<Vec2> Block(const std::vector<std::string>& lines, int align, Vec2 position) const;

private:
    struct Anchor {
        bool valid = false;
        Vec2 pen;
        /// Which way further lines go: up from a bottom anchor, down from a top or centred one.
        float direction = 1.0f;
    };
    /// The one place an alignment becomes a position, for a line or a block `width` wide.
    Anchor Place(int align, float width, Vec2 position) const;
    const Glyph& GlyphOf(char c) const;

    const Font* font;
    float screenWidth;
    float screenHeight;
    float lineSpacing;
};
