#pragma once
// Draws lines of text from a font's atlas: one quad per character, a drop shadow under each
// line and, when the readability settings ask for it, a thin dark outline round the glyphs.

#include "core/MathTypes.h"
#include "render/GlObject.h"
#include "render/UniformStore.h"
#include "ui/Font.h"

#include <GL/glew.h>
#include <cstddef>
#include <map>
#include <string>
#include <vector>

/// One line of a batch: its text, its pen and its size against the font's.
struct TextRun {
    std::string text;
    float x = 0.0f;
    float y = 0.0f;
    float scale = 1.0f;
};

class TextRenderer {
public:
    TextRenderer();

    /// Makes the quad buffer; needs the GL context.
    void Prepare();
    /// Frees the quad buffer while the context is current.
    void Release();
    void SetProjection(float width, float height);
    /// The drop shadow's offset for a font; a font without one has its shadow right beneath it.
    void SetShadow(int font, Vec2 offset) { shadowOffsets[font] = offset; }
    /// Draws the line's shadow then the line itself with depth testing off. A null font (one
    /// never loaded, or all text hidden) draws nothing. Returns the glyph quads drawn.
    std::size_t DrawShadowed(const Font* font, int key, const std::string& text, float x, float y,
                             const Vec3& color);

    /// Draws every run in one colour with one upload and one draw, without shadows (for text on
    /// a panel of its own, which needs none); the outline follows the readability settings.
    /// Returns the glyph quads drawn.
    std::size_t DrawRuns(const Font* font, const std::vector<TextRun>& runs, const Vec3& color);

private:
    /// Adds the quads of one line to `quadVertices`; returns how many.
    std::size_t AppendLine(const Font& font, const std::string& text, float x, float y, float scale,
                           float outline);
    /// Draws what `quadVertices` holds from the font's atlas.
    void Submit(const Font& font, std::size_t quads);
    /// `outline` is the opacity of a one-pixel dark rim round the glyphs; 0 draws none.
    std::size_t DrawLine(const Font& font, const std::string& text, float x, float y, float scale,
                         const Vec3& color, float outline);

    GLuint program = 0;
    GlObject vbo;
    UniformStore uniforms;
    /// Quads of one line, kept to avoid an allocation per line.
    std::vector<float> quadVertices;
    std::map<int, Vec2> shadowOffsets;
};

/// The orthographic projection mapping [0, w] x [0, h] pixels to clip space.
Mat4 TextProjection(float width, float height);
