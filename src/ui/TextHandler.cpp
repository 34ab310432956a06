#include "ui/TextHandler.h"

#include "core/ConfigHandler.h"
#include "core/InputHandler.h"
#include "render/Camera.h"
#include "render/ReadabilitySettings.h"
#include "ui/FontLoader.h"
#include "ui/HudShapes.h"

#include <GLFW/glfw3.h>

namespace {

const char* const kLargeFontPath = "assets/fonts/Vermin Verile.otf";
const char* const kSmallFontPath = "assets/fonts/Zekton.otf";
constexpr int kLargePixelHeight = 96;
constexpr int kSmallPixelHeight = 36;
constexpr Vec2 kLargeShadow{2.0f, -2.0f};
constexpr Vec2 kSmallShadow{1.5f, -1.5f};
// Half the crosshair's extent, so the "+" sits on the screen centre rather than starting there.
constexpr float kCrosshairOffset = 10.0f;

} // namespace

TextHandler& TextHandler::GetInstance() {
    static TextHandler instance;
    return instance;
}

TextHandler::TextHandler() = default;

void TextHandler::Init() {
    if (initialised)
        return;
    initialised = true;
    Camera::GetInstance().SetResizeListener(
        [this](int width, int height) { Resize(static_cast<float>(width), static_cast<float>(height)); });

    {
        const FontLoader loader;
        loader.Load(kLargeFontPath, kLargePixelHeight, kLargeFont, fonts);
        renderer.SetShadow(kLargeFont, kLargeShadow);
        loader.Load(kSmallFontPath, kSmallPixelHeight, kSmallFont, fonts);
        renderer.SetShadow(kSmallFont, kSmallShadow);
    }

    InputHandler::GetInstance().RegisterAction(Action::ToggleText, [this] { ToggleEnabled(); });
    HudShapes::Prepare();
    renderer.Prepare();

    // The window's own size where there is one: it is the configured size unless start-up had
    // to fit the window to the screen, which sends no size event. Later changes arrive as events.
    const ConfigHandler& config = ConfigHandler::GetInstance();
    enabled = config.GetBoolSetting("Display.showText");
    width = config.GetIntSetting("Display.width");
    height = config.GetIntSetting("Display.height");
    if (GLFWwindow* window = glfwGetCurrentContext())
        glfwGetWindowSize(window, &width, &height);
    renderer.SetProjection(static_cast<float>(width), static_cast<float>(height));
}

void TextHandler::Release() {
    fonts.clear();
    renderer.Release();
    HudShapes::GetInstance().Release();
    initialised = false;
}

void TextHandler::LoadFont(const std::string& path, int pixelHeight, int font) {
    const FontLoader loader;
    if (loader.Ready())
        loader.Load(path, pixelHeight, font, fonts);
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
    renderer.SetProjection(newWidth, newHeight);
}

const Font* TextHandler::FontOf(int font) const {
    const auto found = fonts.find(font);
    return found == fonts.end() ? nullptr : &found->second;
}

TextLayout TextHandler::LayoutOf(int font) const {
    return TextLayout(FontOf(font), width, height, lineSpacing);
}

float TextHandler::TextWidth(const std::string& text, int font) const {
    return LayoutOf(font).Width(text);
}

float TextHandler::CapHeight(int font) const {
    return LayoutOf(font).CapHeight();
}

PenPosition TextHandler::EntryPen(const std::string& text, int font, int align, Vec2 position) const {
    return LayoutOf(font).Entry(text, align, position);
}

std::vector<Vec2> TextHandler::BlockPens(const std::vector<std::string>& lines, int font, int align,
                                         Vec2 position) const {
    return LayoutOf(font).Block(lines, align, position);
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

void TextHandler::DrawRuns(const std::vector<TextRun>& runs, int font, const Vec3& color) {
    drawnGlyphs += renderer.DrawRuns(FontOf(font), runs, color);
}

void TextHandler::DrawShadowed(const std::string& text, int font, float x, float y, const Vec3& color) {
    // Hidden text (F3) draws nothing but leaves the depth test as a shown line does.
    drawnGlyphs += renderer.DrawShadowed(enabled ? FontOf(font) : nullptr, font, text, x, y, color);
}
