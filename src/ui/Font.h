#pragma once
// One loaded face at one pixel height: the metrics of each character and their bitmaps packed
// into one texture. Layout reads the metrics, drawing reads both.

#include "ui/GlyphAtlas.h"

#include <map>

/// The metrics of one rasterised character; its bitmap lives in the font's atlas.
struct Glyph {
    int size[2] = {0, 0};     // width, rows
    int bearing[2] = {0, 0};  // left, top
    unsigned int advance = 0; // 1/64 pixel
};

struct Font {
    std::map<char, Glyph> glyphs;
    GlyphAtlas atlas;

    /// The character's glyph, or null when the font has none (bytes past 127 among them).
    const Glyph* Find(char c) const {
        const auto found = glyphs.find(c);
        return found == glyphs.end() ? nullptr : &found->second;
    }
};
