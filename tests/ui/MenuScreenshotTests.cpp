// An Options page drawn at a small and a large window size, read back from an off-screen
// picture of exactly that size: the selected item, scrolled into view, is highlighted and
// lettered inside the window, and the letters grow with the window.
#include "ui/HudShapes.h"
#include "ui/MenuPages.h"
#include "ui/MenuRenderer.h"

#include "MenuFakes.h"
#include "TextTestUtil.h"

#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

/// A colour target of one size, bound while it lives.
class OffscreenPicture {
public:
    OffscreenPicture(int width, int height) : width(width), height(height) {
        glGenFramebuffers(1, &framebuffer);
        glGenRenderbuffers(1, &colour);
        glBindRenderbuffer(GL_RENDERBUFFER, colour);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
        glViewport(0, 0, width, height);
        // A mid grey picture: the dimming must darken it and the highlight stand out on it.
        glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    ~OffscreenPicture() {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteRenderbuffers(1, &colour);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    }
    bool Complete() const { return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE; }
    std::vector<std::uint8_t> Read() const {
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
        glFinish();
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    const int width;
    const int height;

private:
    GLuint framebuffer = 0;
    GLuint colour = 0;
};

struct Counts {
    int highlight = 0;
    int selectedText = 0;
    int lowestText = 1 << 30;
    int highestText = -1;
};

class MenuScreenshotTest : public text_test::TextScene {};

TEST_F(MenuScreenshotTest, SelectedItemIsHighlightedAndLetteredInsideSmallAndLargeWindows) {
    menu_test::FakeSettings settings;
    menu_test::FakeBindings bindings;
    MenuContext context;
    // More items than fit at 640 x 480, so the last one is reached only by scrolling.
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (int i = 0; i < 24; ++i)
            list.push_back("Video.effect" + std::to_string(i));
        return list;
    }();
    for (const std::string& name : names) {
        SettingEntry entry;
        entry.key = name;
        entry.kind = SettingKind::Bool;
        entry.page = "Video";
        entry.label = name;
        context.settings.push_back(entry);
    }
    Menu menu(settings, bindings);
    MenuRenderer renderer;

    // Closed, the menu draws nothing and offers nothing to click.
    text.drawnGlyphs = 0;
    HudShapes::GetInstance().drawnTriangles = 0;
    renderer.Draw(menu, 640, 480);
    EXPECT_EQ(text.drawnGlyphs, 0u);
    EXPECT_EQ(HudShapes::GetInstance().drawnTriangles, 0u);
    EXPECT_TRUE(renderer.Rects().empty());

    menu.Open(OptionsPage(context));
    menu.Push(SettingsPage(context, "Video", menu));
    menu.MoveSelection(-1);
    menu.MoveSelection(-1); // the last effect, just above Back
    const int selected = menu.Selected();
    ASSERT_EQ(menu.Page().items[static_cast<std::size_t>(selected)].label, names.back());

    std::vector<int> textHeights;
    for (const auto& [width, height] : {std::pair{640, 480}, std::pair{1600, 900}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        const OffscreenPicture picture(width, height);
        ASSERT_TRUE(picture.Complete());
        text.Resize(static_cast<float>(width), static_cast<float>(height));
        renderer.Draw(menu, width, height);
        const std::vector<std::uint8_t> pixels = picture.Read();
        stbi_flip_vertically_on_write(1);
        stbi_write_png(
            ("/tmp/korvane-menu-" + std::to_string(width) + "x" + std::to_string(height) + ".png").c_str(),
            width, height, 4, pixels.data(), width * 4);
        stbi_flip_vertically_on_write(0);

        const MenuRect* rect = nullptr;
        for (const MenuRect& r : renderer.Rects())
            if (r.item == selected)
                rect = &r;
        ASSERT_NE(rect, nullptr) << "the selection scrolled out of view";
        EXPECT_GT(renderer.FirstShown(), 0) << "a page this long scrolls";
        EXPECT_GE(rect->x0, 0.0f);
        EXPECT_GE(rect->y0, 0.0f);
        EXPECT_LE(rect->x1, static_cast<float>(width));
        EXPECT_LE(rect->y1, static_cast<float>(height));

        Counts inside, outside;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * width + x) * 4];
                const bool orange = p[0] > p[1] + 30 && p[0] > p[2] + 60 && p[0] < 200;
                const bool yellow = p[0] > 200 && p[1] > 170 && p[2] < 160;
                const bool in = rect->Contains({x + 0.5f, y + 0.5f});
                Counts& counts = in ? inside : outside;
                counts.highlight += orange ? 1 : 0;
                if (yellow) {
                    ++counts.selectedText;
                    counts.lowestText = std::min(counts.lowestText, y);
                    counts.highestText = std::max(counts.highestText, y);
                }
            }
        }
        const float area = (rect->x1 - rect->x0) * (rect->y1 - rect->y0);
        // The highlight fills its row (less the letters on it) and nothing else is that colour.
        EXPECT_GT(static_cast<float>(inside.highlight), 0.6f * area);
        EXPECT_EQ(outside.highlight, 0);
        EXPECT_GT(inside.selectedText, 50) << "the selected item's label is not lettered on it";
        EXPECT_EQ(outside.selectedText, 0);
        textHeights.push_back(inside.highestText - inside.lowestText);
    }
    // Letters follow the window's height: 900 / 480 is nearly twice as tall.
    ASSERT_EQ(textHeights.size(), 2u);
    EXPECT_GT(textHeights[1], textHeights[0] * 3 / 2);
    EXPECT_LT(textHeights[1], textHeights[0] * 5 / 2);
}

} // namespace
