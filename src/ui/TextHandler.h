#pragma once
// All screen text: the named one-line entries and multi-line blocks, kept until removed and
// drawn every frame in two fonts with a drop shadow and a thin dark outline, and the crosshair.
// Loading the fonts, laying out and drawing are FontLoader's, TextLayout's and TextRenderer's.

#include "core/MathTypes.h"
#include "render/Camera.h"
#include "ui/Font.h"
#include "ui/TextLayout.h"
#include "ui/TextRenderer.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

/// The two faces every screen text is drawn in: the large title face and the small HUD face.
inline constexpr int kLargeFont = 0;
inline constexpr int kSmallFont = 1;
/// The colour of the game's screen text and crosshair.
inline constexpr Vec3 kTextWhite{1.0f, 1.0f, 1.0f};

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
    void SetEnabled(bool show) { enabled = show; }
    void Resize(float width, float height);
    void Draw();
    /// Draws lines now, all in one colour and one draw, without shadows: for the menus, which lay
    /// out their own lines on a panel and stay readable while F3 hides the rest of the text.
    void DrawRuns(const std::vector<TextRun>& runs, int font, const Vec3& color);

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
    TextLayout LayoutOf(int font) const;
    const Font* FontOf(int font) const;
    void DrawEntry(const TextEntry& entry);
    void DrawBlock(const TextBlock& block);
    void DrawShadowed(const std::string& text, int font, float x, float y, const Vec3& color);

    bool enabled = true;
    bool initialised = false;
    std::map<int, Font> fonts;
    TextRenderer renderer;
    float lineSpacing = 10.0f;
    int width = Camera::kDefaultWidth;
    int height = Camera::kDefaultHeight;
    std::map<std::string, TextEntry> entries;
    std::map<std::string, TextBlock> blocks;
    bool crosshairVisible = true;
};
