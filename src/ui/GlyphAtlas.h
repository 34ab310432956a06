#pragma once
// All glyph bitmaps of one font packed into a single texture, so that a whole line of text
// is one buffer upload and one draw instead of one of each per character.

#include "render/GlObject.h"

#include <GL/glew.h>
#include <map>
#include <vector>

class GlyphAtlas {
public:
    struct Rect {
        float u0 = 0.0f, v0 = 0.0f, u1 = 0.0f, v1 = 0.0f;
    };

    /// Keeps a copy of a one-byte-per-pixel bitmap; a character already added keeps its first.
    void Add(char c, int width, int rows, const unsigned char* pixels);
    /// (Re)packs every bitmap into the texture.
    void Build();
    /// Where the character lies in the texture; v0 is its bitmap's top row.
    Rect RectOf(char c) const;
    GLuint Texture() const { return texture; }
    /// Deletes the texture while the context is still current.
    void Release() { texture.Release(); }

private:
    struct Bitmap {
        int width = 0, rows = 0;
        std::vector<unsigned char> pixels;
    };
    std::map<char, Bitmap> bitmaps;
    std::map<char, Rect> rects;
    GlObject texture;
};
