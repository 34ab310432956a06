#include "ui/FontLoader.h"

#include "core/AssetLocator.h"

#include <GL/glew.h>
#include <ft2build.h>
#include <iostream>
#include FT_FREETYPE_H

namespace {
constexpr int kGlyphCount = 128;
} // namespace

FontLoader::FontLoader() {
    FT_Library opened = nullptr;
    if (FT_Init_FreeType(&opened) != 0) {
        std::cout << "ERROR::FREETYPE: Could not init FreeType Library" << std::endl;
        return;
    }
    library = opened;
}

FontLoader::~FontLoader() {
    if (library != nullptr)
        FT_Done_FreeType(static_cast<FT_Library>(library));
}

void FontLoader::Load(const std::string& path, int pixelHeight, int key, std::map<int, Font>& fonts) const {
    FT_Face face = nullptr;
    const std::string file = AssetLocator::GetInstance().Resolve(path);
    if (library == nullptr || FT_New_Face(static_cast<FT_Library>(library), file.c_str(), 0, &face) != 0) {
        std::cout << "ERROR::FREETYPE: Failed to load font" << std::endl;
        return;
    }
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight));

    // Glyph bitmaps are one byte per pixel with rows of any length.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    Font& font = fonts[key];
    for (int code = 0; code < kGlyphCount; ++code) {
        if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER) != 0) {
            std::cout << "ERROR::FREETYTPE: Failed to load Glyph" << std::endl;
            continue;
        }
        const char c = static_cast<char>(code);
        if (font.glyphs.count(c) != 0)
            continue;
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        Glyph glyph;
        glyph.size[0] = static_cast<int>(bitmap.width);
        glyph.size[1] = static_cast<int>(bitmap.rows);
        glyph.bearing[0] = face->glyph->bitmap_left;
        glyph.bearing[1] = face->glyph->bitmap_top;
        glyph.advance = static_cast<unsigned int>(face->glyph->advance.x);
        font.glyphs.emplace(c, glyph);
        font.atlas.Add(c, glyph.size[0], glyph.size[1], bitmap.buffer);
    }
    font.atlas.Build();
    FT_Done_Face(face);
}
