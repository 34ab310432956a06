#include "ui/TextRenderer.h"

#include "render/ReadabilitySettings.h"
#include "render/ShaderHandler.h"

#include <iterator>

namespace {

constexpr int kQuadVertices = 6;
constexpr int kFloatsPerVertex = 4;
constexpr GLsizei kVertexStride = kFloatsPerVertex * sizeof(float);
constexpr GLsizeiptr kQuadBytes = kQuadVertices * kVertexStride;
static_assert(kQuadBytes == 96, "one quad is six vertices of four floats");
constexpr Vec3 kBlack{0.0f, 0.0f, 0.0f};
constexpr float kOutlineOpacity = 0.85f;

void PointAttributeAtQuad() {
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, kFloatsPerVertex, GL_FLOAT, GL_FALSE, kVertexStride, nullptr);
}
} // namespace

Mat4 TextProjection(float width, float height) {
    Mat4 r;
    r.At(0, 0) = 2.0f / width;
    r.At(1, 1) = 2.0f / height;
    r.At(2, 2) = -1.0f;
    r.At(3, 0) = -1.0f;
    r.At(3, 1) = -1.0f;
    r.At(3, 3) = 1.0f;
    return r;
}

TextRenderer::TextRenderer() : program(TextProgram()) {}

void TextRenderer::Prepare() {
    vbo = GlObject::NewBuffer();
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glBufferData(GL_ARRAY_BUFFER, kQuadBytes, nullptr, GL_DYNAMIC_DRAW);
    PointAttributeAtQuad();
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void TextRenderer::Release() {
    vbo.Release();
}

void TextRenderer::SetProjection(float width, float height) {
    uniforms.SetMat4("projection", TextProjection(width, height));
}

std::size_t TextRenderer::DrawShadowed(const Font* font, int key, const std::string& text, float x, float y,
                                       const Vec3& color) {
    glDisable(GL_DEPTH_TEST);
    std::size_t quads = 0;
    if (font != nullptr) {
        const auto offset = shadowOffsets.find(key);
        const Vec2 shadow = offset == shadowOffsets.end() ? Vec2{} : offset->second;
        quads += DrawLine(*font, text, x + shadow.x, y + shadow.y, 1.0f, kBlack, 0.0f);
        const bool outlined = ReadabilitySettings::Current().textOutline;
        quads += DrawLine(*font, text, x, y, 1.0f, color, outlined ? kOutlineOpacity : 0.0f);
    }
    glEnable(GL_DEPTH_TEST);
    return quads;
}

std::size_t TextRenderer::DrawRuns(const Font* font, const std::vector<TextRun>& runs, const Vec3& color) {
    if (font == nullptr || runs.empty() || !ShaderHandler::GetInstance().Use(program))
        return 0;
    const float outline = ReadabilitySettings::Current().textOutline ? kOutlineOpacity : 0.0f;
    uniforms.SetVec3("textColor", color);
    uniforms.SetFloat("outline", outline);
    uniforms.Apply(program);
    glDisable(GL_DEPTH_TEST);
    quadVertices.clear();
    std::size_t quads = 0;
    for (const TextRun& run : runs)
        quads += AppendLine(*font, run.text, run.x, run.y, run.scale, outline);
    Submit(*font, quads);
    glEnable(GL_DEPTH_TEST);
    return quads;
}

std::size_t TextRenderer::DrawLine(const Font& font, const std::string& text, float x, float y, float scale,
                                   const Vec3& color, float outline) {
    if (!ShaderHandler::GetInstance().Use(program))
        return 0;
    uniforms.SetVec3("textColor", color);
    uniforms.SetFloat("outline", outline);
    uniforms.Apply(program);
    // The whole line goes up in one upload and one draw from the font's atlas; a buffer
    // rewritten between per-character draws stalls a software renderer on every glyph.
    quadVertices.clear();
    const std::size_t quads = AppendLine(font, text, x, y, scale, outline);
    Submit(font, quads);
    return quads;
}

std::size_t TextRenderer::AppendLine(const Font& font, const std::string& text, float x, float y, float scale,
                                     float outline) {
    std::size_t quads = 0;
    for (char c : text) {
        const Glyph* found = font.Find(c);
        if (found == nullptr)
            continue; // no glyph: nothing to draw and no advance
        const Glyph& g = *found;
        float xpos = x + static_cast<float>(g.bearing[0]) * scale;
        float ypos = y - static_cast<float>(g.size[1] - g.bearing[1]) * scale;
        float w = static_cast<float>(g.size[0]) * scale;
        float h = static_cast<float>(g.size[1]) * scale;
        // v0 is the bitmap's first row, its top.
        GlyphAtlas::Rect r = font.atlas.RectOf(c);
        if (outline > 0.0f && g.size[0] > 0 && g.size[1] > 0) {
            // One pixel more on every side for the rim, reaching into the atlas's padding.
            const float du = (r.u1 - r.u0) / static_cast<float>(g.size[0]);
            const float dv = (r.v1 - r.v0) / static_cast<float>(g.size[1]);
            r = GlyphAtlas::Rect{r.u0 - du, r.v0 - dv, r.u1 + du, r.v1 + dv};
            xpos -= scale;
            ypos -= scale;
            w += 2.0f * scale;
            h += 2.0f * scale;
        }
        const float vertices[kQuadVertices * kFloatsPerVertex] = {
            xpos, ypos + h, r.u0, r.v0, xpos,     ypos, r.u0, r.v1, xpos + w, ypos,     r.u1, r.v1,
            xpos, ypos + h, r.u0, r.v0, xpos + w, ypos, r.u1, r.v1, xpos + w, ypos + h, r.u1, r.v0,
        };
        quadVertices.insert(quadVertices.end(), std::begin(vertices), std::end(vertices));
        ++quads;
        x += static_cast<float>(g.advance >> 6) * scale;
    }
    return quads;
}

void TextRenderer::Submit(const Font& font, std::size_t quads) {
    glActiveTexture(GL_TEXTURE0);
    if (quads > 0) {
        glBindTexture(GL_TEXTURE_2D, font.atlas.Texture());
        glBindBuffer(GL_ARRAY_BUFFER, vbo);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(quadVertices.size() * sizeof(float)),
                     quadVertices.data(), GL_STREAM_DRAW);
        // The one vertex-array object is shared with every other draw, so attribute 0 may
        // point anywhere by now.
        PointAttributeAtQuad();
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(quads * kQuadVertices));
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}
