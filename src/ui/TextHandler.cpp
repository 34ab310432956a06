#include "ui/TextHandler.h"

#include "core/AssetLocator.h"
#include "core/ConfigHandler.h"
#include "core/InputHandler.h"
#include "core/KeyBindings.h"
#include "render/Camera.h"
#include "render/ReadabilitySettings.h"
#include "render/ShaderHandler.h"
#include "ui/HudShapes.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <ft2build.h>
#include <iostream>
#include <iterator>
#include FT_FREETYPE_H

namespace {

const char* const kLargeFontPath = "assets/fonts/Vermin Verile.otf";
const char* const kSmallFontPath = "assets/fonts/Zekton.otf";
constexpr int kLargePixelHeight = 96;
constexpr int kSmallPixelHeight = 36;
constexpr Vec2 kLargeShadow{2.0f, -2.0f};
constexpr Vec2 kSmallShadow{1.5f, -1.5f};
constexpr int kGlyphCount = 128;
constexpr int kQuadVertices = 6;
constexpr int kFloatsPerVertex = 4;
constexpr GLsizei kVertexStride = kFloatsPerVertex * sizeof(float);
constexpr GLsizeiptr kQuadBytes = kQuadVertices * kVertexStride;
static_assert(kQuadBytes == 96, "one quad is six vertices of four floats");
// Half the crosshair's extent, so the "+" sits on the screen centre rather than starting there.
constexpr float kCrosshairOffset = 10.0f;
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

TextHandler& TextHandler::GetInstance() {
    static TextHandler instance;
    return instance;
}

TextHandler::TextHandler() : program(TextProgram()) {}

void TextHandler::Init() {
    if (initialised)
        return;
    initialised = true;
    Camera::GetInstance().SetResizeListener(
        [this](int width, int height) { Resize(static_cast<float>(width), static_cast<float>(height)); });

    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        std::cout << "ERROR::FREETYPE: Could not init FreeType Library" << std::endl;
        library = nullptr;
    }
    LoadFace(library, kLargeFontPath, kLargePixelHeight, kLargeFont);
    shadowOffsets[kLargeFont] = kLargeShadow;
    LoadFace(library, kSmallFontPath, kSmallPixelHeight, kSmallFont);
    shadowOffsets[kSmallFont] = kSmallShadow;
    if (library != nullptr)
        FT_Done_FreeType(library);

    InputHandler::GetInstance().RegisterCallback(KeyBindings::kToggleText, [this] { ToggleEnabled(); });
    HudShapes::Prepare();

    vbo = GlObject::NewBuffer();
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glBufferData(GL_ARRAY_BUFFER, kQuadBytes, nullptr, GL_DYNAMIC_DRAW);
    PointAttributeAtQuad();
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    // The window's own size where there is one: it is the configured size unless start-up had
    // to fit the window to the screen, which sends no size event. Later changes arrive as events.
    const ConfigHandler& config = ConfigHandler::GetInstance();
    width = config.GetInt("Display.width", Camera::kDefaultWidth);
    height = config.GetInt("Display.height", Camera::kDefaultHeight);
    if (GLFWwindow* window = glfwGetCurrentContext())
        glfwGetWindowSize(window, &width, &height);
    uniforms.SetMat4("projection", TextProjection(static_cast<float>(width), static_cast<float>(height)));
}

void TextHandler::Release() {
    glyphs.clear();
    atlases.clear();
    vbo.Release();
    HudShapes::GetInstance().Release();
    initialised = false;
}

void TextHandler::LoadFont(const std::string& path, int pixelHeight, int font) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        std::cout << "ERROR::FREETYPE: Could not init FreeType Library" << std::endl;
        return;
    }
    LoadFace(library, path, pixelHeight, font);
    FT_Done_FreeType(library);
}

void TextHandler::LoadFace(void* library, const std::string& path, int pixelHeight, int font) {
    FT_Face face = nullptr;
    const std::string file = AssetLocator::GetInstance().Resolve(path);
    if (library == nullptr || FT_New_Face(static_cast<FT_Library>(library), file.c_str(), 0, &face) != 0) {
        std::cout << "ERROR::FREETYPE: Failed to load font" << std::endl;
        return;
    }
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight));
    LoadGlyphs(face, font);
    FT_Done_Face(face);
}

void TextHandler::LoadGlyphs(void* face, int font) {
    FT_Face ftFace = static_cast<FT_Face>(face);
    // Glyph bitmaps are one byte per pixel with rows of any length.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    std::map<char, Glyph>& table = glyphs[font];
    for (int code = 0; code < kGlyphCount; ++code) {
        if (FT_Load_Char(ftFace, static_cast<FT_ULong>(code), FT_LOAD_RENDER) != 0) {
            std::cout << "ERROR::FREETYTPE: Failed to load Glyph" << std::endl;
            continue;
        }
        const char c = static_cast<char>(code);
        if (table.count(c) != 0)
            continue;
        const FT_Bitmap& bitmap = ftFace->glyph->bitmap;
        Glyph glyph;
        glyph.size[0] = static_cast<int>(bitmap.width);
        glyph.size[1] = static_cast<int>(bitmap.rows);
        glyph.bearing[0] = ftFace->glyph->bitmap_left;
        glyph.bearing[1] = ftFace->glyph->bitmap_top;
        glyph.advance = static_cast<unsigned int>(ftFace->glyph->advance.x);
        table.emplace(c, glyph);
        atlases[font].Add(c, glyph.size[0], glyph.size[1], bitmap.buffer);
    }
    atlases[font].Build();
}

void TextHandler::SetText(const std::string& key, const TextEntry& entry) {
    entries[key] = entry;
}

void TextHandler::SetTextBlock(const std::string& key, const TextBlock& block) {
    blocks[key] = block;
}

void TextHandler::RemoveText(const std::string& key) {
    entries.erase(key);
}

void TextHandler::RemoveTextBlock(const std::string& key) {
    blocks.erase(key);
}

void TextHandler::Resize(float newWidth, float newHeight) {
    width = static_cast<int>(newWidth);
    height = static_cast<int>(newHeight);
    uniforms.SetMat4("projection", TextProjection(newWidth, newHeight));
}

const Glyph& TextHandler::GlyphOf(int font, char c) const {
    static const Glyph none;
    const auto table = glyphs.find(font);
    if (table == glyphs.end())
        return none;
    const auto glyph = table->second.find(c);
    return glyph == table->second.end() ? none : glyph->second;
}

float TextHandler::TextWidth(const std::string& text, int font) const {
    unsigned int pixels = 0;
    for (char c : text)
        pixels += GlyphOf(font, c).advance >> 6;
    return static_cast<float>(pixels);
}

float TextHandler::CapHeight(int font) const {
    return static_cast<float>(GlyphOf(font, 'H').bearing[1]);
}

PenPosition TextHandler::EntryPen(const std::string& text, int font, int align, Vec2 position) const {
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    const float textWidth = TextWidth(text, font);
    const float cap = CapHeight(font);
    switch (align) {
    case Absolute:
        return {true, position.x, position.y};
    case TopCenter:
        return {true, (w - textWidth) * 0.5f + position.x, h - cap + position.y};
    case BottomCenter:
        return {true, (w - textWidth) * 0.5f + position.x, position.y};
    case BottomRight:
        return {true, w - textWidth + position.x, position.y};
    case TopRight:
        return {true, w - textWidth + position.x, h - cap + position.y};
    case Center:
        return {true, (w - textWidth) * 0.5f + position.x, (h - cap) * 0.5f + position.y};
    default:
        return {};
    }
}

std::vector<Vec2> TextHandler::BlockPens(const std::vector<std::string>& lines, int font, int align,
                                         Vec2 position) const {
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    float widest = 0.0f;
    for (const std::string& line : lines)
        widest = std::max(widest, TextWidth(line, font));
    const float cap = CapHeight(font);
    const float step = static_cast<float>(GlyphOf(font, 'H').size[1]) + lineSpacing;

    Vec2 first;
    float direction = 1.0f;
    switch (align) {
    case Absolute:
        first = position;
        break;
    case TopCenter:
        first = {(w - widest) * 0.5f + position.x, h - cap + position.y};
        direction = -1.0f;
        break;
    case BottomCenter:
        first = {(w - widest) * 0.5f + position.x, position.y};
        break;
    case BottomRight:
        first = {w - widest + position.x, position.y};
        break;
    case Center:
        first = {(w - widest) * 0.5f + position.x, (h - cap) * 0.5f + position.y};
        direction = -1.0f;
        break;
    default:
        // Top-right blocks have no layout of their own; nothing uses them.
        return {};
    }

    std::vector<Vec2> pens;
    pens.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        pens.push_back({first.x, first.y + direction * step * static_cast<float>(i)});
    return pens;
}

void TextHandler::Draw() {
    for (const auto& [key, entry] : entries)
        DrawEntry(entry);
    for (const auto& [key, block] : blocks)
        DrawBlock(block);
    if (crosshairVisible && enabled && ReadabilitySettings::Current().drawnCrosshair) {
        DrawCrosshair(width, height);
    } else if (crosshairVisible) {
        glDisable(GL_DEPTH_TEST);
        DrawShadowed("+", kSmallFont, width * 0.5f - kCrosshairOffset, height * 0.5f - kCrosshairOffset,
                     kTextWhite);
        glEnable(GL_DEPTH_TEST);
    }
}

void TextHandler::DrawEntry(const TextEntry& entry) {
    const PenPosition pen = EntryPen(entry.text, entry.font, entry.align, entry.position);
    if (pen.valid)
        DrawShadowed(entry.text, entry.font, pen.x, pen.y, entry.color);
}

void TextHandler::DrawBlock(const TextBlock& block) {
    const std::vector<Vec2> pens = BlockPens(block.lines, block.font, block.align, block.position);
    for (std::size_t i = 0; i < pens.size(); ++i)
        DrawShadowed(block.lines[i], block.font, pens[i].x, pens[i].y, block.color);
}

void TextHandler::DrawShadowed(const std::string& text, int font, float x, float y, const Vec3& color) {
    glDisable(GL_DEPTH_TEST);
    const auto offset = shadowOffsets.find(font);
    const Vec2 shadow = offset == shadowOffsets.end() ? Vec2{} : offset->second;
    RenderText(text, font, x + shadow.x, y + shadow.y, 1.0f, kBlack);
    const bool outlined = ReadabilitySettings::Current().textOutline;
    RenderText(text, font, x, y, 1.0f, color, outlined ? kOutlineOpacity : 0.0f);
    glEnable(GL_DEPTH_TEST);
}

void TextHandler::RenderText(const std::string& text, int font, float x, float y, float scale,
                             const Vec3& color, float outline) {
    if (!enabled)
        return;
    const auto table = glyphs.find(font);
    if (table == glyphs.end())
        return;
    if (!ShaderHandler::GetInstance().Use(program))
        return;
    uniforms.SetVec3("textColor", color);
    uniforms.SetFloat("outline", outline);
    uniforms.Apply(program);
    glActiveTexture(GL_TEXTURE0);

    // The whole line goes up in one upload and one draw from the font's atlas; a buffer
    // rewritten between per-character draws stalls a software renderer on every glyph.
    const GlyphAtlas& atlas = atlases[font];
    quadVertices.clear();
    std::size_t quads = 0;
    for (char c : text) {
        const auto found = table->second.find(c);
        if (found == table->second.end())
            continue; // no glyph: nothing to draw and no advance
        const Glyph& g = found->second;
        float xpos = x + static_cast<float>(g.bearing[0]) * scale;
        float ypos = y - static_cast<float>(g.size[1] - g.bearing[1]) * scale;
        float w = static_cast<float>(g.size[0]) * scale;
        float h = static_cast<float>(g.size[1]) * scale;
        // v0 is the bitmap's first row, its top.
        GlyphAtlas::Rect r = atlas.RectOf(c);
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
    if (quads > 0) {
        glBindTexture(GL_TEXTURE_2D, atlas.Texture());
        glBindBuffer(GL_ARRAY_BUFFER, vbo);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(quadVertices.size() * sizeof(float)),
                     quadVertices.data(), GL_STREAM_DRAW);
        // The one vertex-array object is shared with every other draw, so attribute 0 may
        // point anywhere by now.
        PointAttributeAtQuad();
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(quads * kQuadVertices));
        drawnGlyphs += quads;
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}
