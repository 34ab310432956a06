#pragma once
// Shared by the text tests: a fixture that gives each test an empty, enabled 800 x 600 text
// renderer and puts back what other suites left in it, and glyph metrics read straight from
// FreeType to check the renderer's layout against.

#include "support/GLTestContext.h"
#include "ui/TextHandler.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace text_test {

constexpr const char* kSmallFontPath = "assets/fonts/Zekton.otf";
constexpr const char* kLargeFontPath = "assets/fonts/Vermin Verile.otf";
constexpr int kSmallPixelHeight = 36;
constexpr int kLargePixelHeight = 96;

/// One character of a font as FreeType renders it, independent of the renderer's tables.
struct ReferenceGlyph {
    bool loaded = false;
    int width = 0, rows = 0, left = 0, top = 0;
    long advance = 0;                  // 1/64 pixel
    std::vector<unsigned char> bitmap; // rows top first, `width` bytes each
};

inline ReferenceGlyph LoadReferenceGlyph(const char* path, int pixelHeight, char c) {
    ReferenceGlyph glyph;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return glyph;
    FT_Face face = nullptr;
    if (FT_New_Face(library, path, 0, &face) == 0) {
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight));
        if (FT_Load_Char(face, static_cast<unsigned char>(c), FT_LOAD_RENDER) == 0) {
            const FT_Bitmap& bitmap = face->glyph->bitmap;
            glyph.loaded = true;
            glyph.width = static_cast<int>(bitmap.width);
            glyph.rows = static_cast<int>(bitmap.rows);
            glyph.left = face->glyph->bitmap_left;
            glyph.top = face->glyph->bitmap_top;
            glyph.advance = face->glyph->advance.x;
            for (int row = 0; row < glyph.rows; ++row)
                for (int col = 0; col < glyph.width; ++col)
                    glyph.bitmap.push_back(bitmap.buffer[row * bitmap.pitch + col]);
        }
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return glyph;
}

/// Whole-pixel advances summed per character, as the renderer must measure a line.
inline float ReferenceWidth(const char* path, int pixelHeight, const std::string& text) {
    long pixels = 0;
    for (char c : text)
        pixels += LoadReferenceGlyph(path, pixelHeight, c).advance >> 6;
    return static_cast<float>(pixels);
}

/// The text renderer, initialised once per process, emptied and reset for every test.
class TextScene : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        testing_support::EnsureGLContext();
        TextHandler::GetInstance().Init();
    }

    void SetUp() override {
        savedEntries = text.Entries();
        savedBlocks = text.Blocks();
        savedEnabled = text.IsEnabled();
        savedCrosshair = text.IsCrosshairVisible();
        savedWidth = text.Width();
        savedHeight = text.Height();
        for (const auto& [key, entry] : savedEntries)
            text.RemoveText(key);
        for (const auto& [key, block] : savedBlocks)
            text.RemoveTextBlock(key);
        if (!text.IsEnabled())
            text.ToggleEnabled();
        text.SetCrosshairVisible(false);
        text.Resize(800.0f, 600.0f);
        text.drawnGlyphs = 0;
    }

    void TearDown() override {
        for (const auto& [key, entry] : std::map<std::string, TextEntry>(text.Entries()))
            text.RemoveText(key);
        for (const auto& [key, block] : std::map<std::string, TextBlock>(text.Blocks()))
            text.RemoveTextBlock(key);
        for (const auto& [key, entry] : savedEntries)
            text.SetText(key, entry);
        for (const auto& [key, block] : savedBlocks)
            text.SetTextBlock(key, block);
        if (text.IsEnabled() != savedEnabled)
            text.ToggleEnabled();
        text.SetCrosshairVisible(savedCrosshair);
        text.Resize(static_cast<float>(savedWidth), static_cast<float>(savedHeight));
    }

    /// Glyph quads one Draw() paints.
    std::size_t GlyphsDrawn() {
        text.drawnGlyphs = 0;
        text.Draw();
        return text.drawnGlyphs;
    }

    TextHandler& text = TextHandler::GetInstance();

private:
    std::map<std::string, TextEntry> savedEntries;
    std::map<std::string, TextBlock> savedBlocks;
    bool savedEnabled = true;
    bool savedCrosshair = true;
    int savedWidth = 800;
    int savedHeight = 600;
};

} // namespace text_test
