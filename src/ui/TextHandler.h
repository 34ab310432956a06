#pragma once
// Draws all screen text: named one-line entries and multi-line blocks in two fonts with a
// drop shadow and a thin dark outline, and the crosshair. Items are kept until removed and drawn every frame.

#include "core/MathTypes.h"
#include "render/Camera.h"
#include "render/UniformStore.h"
#include "ui/GlyphAtlas.h"

#include <GL/glew.h>
#include <map>
#include <string>
#include <vector>

/// The two faces every screen text is drawn in: the large title face and the small HUD face.
inline constexpr int kLargeFont = 0;
inline constexpr int kSmallFont = 1;
/// The colour of the game's screen text and crosshair.
inline constexpr Vec3 kTextWhite{1.0f, 1.0f, 1.0f};

enum TextAlign : int {
    Absolute = 0,
    TopCenter = 1,
    BottomCenter = 2,
    BottomRight = 3,
    TopRight = 4,
    Center = 5,
};

/// The metrics of one rasterised character; its bitmap lives in the font's atlas.
struct Glyph {
    int size[2] = {0, 0};     // width, rows
    int bearing[2] = {0, 0};  // left, top
    unsigned int advance = 0; // 1/64 pixel
};

struct TextEntry {
    std::string text;
    int font = 0;
    int align = Absolute;
    Vec2 position;
    Vec3 color{1.0f, 1.0f, 1.0f};
};

struct TextBlock {
    std::vector<std::string> lines;
    int font = 0;
    int align = Absolute;
    Vec2 position;
    Vec3 color{1.0f, 1.0f, 1.0f};
};

/// Where a pen starts for one item (the first line of a block); `valid` is false for an
/// alignment that draws nothing.
struct PenPosition {
    bool valid = false;
    float x = 0.0f;
    float y = 0.0f;
};

class TextHandler {
public:
    static TextHandler& GetInstance();

    /// Loads both fonts, binds F3 and sets up the quad buffer and the projection. A font that
    /// cannot be opened is reported and simply has no glyphs. Runs once; later calls do nothing.
    void Init();
    /// Deletes the atlas textures and the quad buffer; needs the GL context, so it runs before
    /// the window goes. Text set afterwards draws nothing.
    void Release();
    /// Rasterises characters 0-127 of a font file at a pixel height into the glyph table of
    /// `font`, keeping records already there. A file that cannot be opened prints
    /// "ERROR::FREETYPE: Failed to load font" and adds nothing.
    void LoadFont(const std::string& path, int pixelHeight, int font);
    void SetText(const std::string& key, const TextEntry& entry);
    void SetTextBlock(const std::string& key, const TextBlock& block);
    void RemoveText(const std::string& key);
    void RemoveTextBlock(const std::string& key);
    void SetCrosshairVisible(bool visible) { crosshairVisible = visible; }
    void ToggleEnabled() { enabled = !enabled; }
    void Resize(float width, float height);
    void Draw();

    /// Width in pixels of a line in a font (sum of whole-pixel advances).
    float TextWidth(const std::string& text, int font) const;
    /// Cap height of a font: the top bearing of its 'H'.
    float CapHeight(int font) const;
    PenPosition EntryPen(const std::string& text, int font, int align, Vec2 position) const;
    /// Pen of each line of a block, first line first; empty for an alignment that draws nothing.
    std::vector<Vec2> BlockPens(const std::vector<std::string>& lines, int font, int align,
                                Vec2 position) const;

    const std::map<std::string, TextEntry>& Entries() const { return entries; }
    const std::map<std::string, TextBlock>& Blocks() const { return blocks; }
    bool IsEnabled() const { return enabled; }
    bool IsCrosshairVisible() const { return crosshairVisible; }
    int Width() const { return width; }
    int Height() const { return height; }
    /// Glyph quads drawn since the counter was last reset (shadows included); for tests.
    std::size_t drawnGlyphs = 0;

private:
    TextHandler();
    /// The font loading of Init and LoadFont, with an open FreeType library (or null after a
    /// failed initialisation, when nothing is loaded).
    void LoadFace(void* library, const std::string& path, int pixelHeight, int font);
    void LoadGlyphs(void* face, int font);
    void DrawEntry(const TextEntry& entry);
    void DrawBlock(const TextBlock& block);
    void DrawShadowed(const std::string& text, int font, float x, float y, const Vec3& color);
    /// `outline` is the opacity of a one-pixel dark rim round the glyphs; 0 draws none.
    void RenderText(const std::string& text, int font, float x, float y, float scale, const Vec3& color,
                    float outline = 0.0f);
    const Glyph& GlyphOf(int font, char c) const;

    bool enabled = true;
    bool initialised = false;
    std::map<int, std::map<char, Glyph>> glyphs;
    /// The bitmaps of each font packed into one texture, which RenderText samples.
    std::map<int, GlyphAtlas> atlases;
    /// Quads of one RenderText call, kept to avoid an allocation per line.
    std::vector<float> quadVertices;
    std::map<int, Vec2> shadowOffsets;
    float lineSpacing = 10.0f;
    int width = Camera::kDefaultWidth;
    int height = Camera::kDefaultHeight;
    GLuint program = 0;
    GlObject vbo;
    UniformStore uniforms;
    std::map<std::string, TextEntry> entries;
    std::map<std::string, TextBlock> blocks;
    bool crosshairVisible = true;
};

/// The orthographic projection mapping [0, w] x [0, h] pixels to clip space.
Mat4 TextProjection(float width, float height);
