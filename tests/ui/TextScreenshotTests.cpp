// What the text renderer puts on screen: read back from the hidden window's framebuffer.
#include "render/ReadabilitySettings.h"
#include "ui/TextHandler.h"

#include "TextTestUtil.h"

#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace {

using text_test::kLargeFontPath;
using text_test::kLargePixelHeight;
using text_test::LoadReferenceGlyph;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kBright = 128;
const Vec3 kWhite{1.0f, 1.0f, 1.0f};

/// The default framebuffer as RGBA bytes, bottom row first.
class Frame {
public:
    Frame() : pixels(static_cast<std::size_t>(kWidth) * kHeight * 4) {
        glFinish();
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    }
    const std::uint8_t* At(int x, int y) const {
        return &pixels[(static_cast<std::size_t>(y) * kWidth + x) * 4];
    }
    int BrightIn(int x0, int y0, int x1, int y1) const {
        int count = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                count += At(x, y)[0] > kBright ? 1 : 0;
        return count;
    }
    bool SavePng(const char* path) const {
        stbi_flip_vertically_on_write(1);
        const bool ok = stbi_write_png(path, kWidth, kHeight, 4, pixels.data(), kWidth * 4) != 0;
        stbi_flip_vertically_on_write(0);
        return ok;
    }

private:
    std::vector<std::uint8_t> pixels;
};

class TextScreenshotTest : public text_test::TextScene {
protected:
    void SetUp() override {
        TextScene::SetUp();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, kWidth, kHeight);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
};

TEST_F(TextScreenshotTest, FrameRateTopRightAndCrosshairAtTheCentre) {
    text.SetText("FPS", TextEntry{"60 FPS (16.67 ms)", 1, TopRight, {-20.0f, -20.0f}, kWhite});
    text.SetCrosshairVisible(true);
    text.Draw();
    const Frame frame;
    EXPECT_TRUE(frame.SavePng("/tmp/korvane-text-fps.png"));

    // The readout stands in the top-right corner, 20 px in from both edges.
    EXPECT_GT(frame.BrightIn(kWidth / 2, kHeight - 80, kWidth, kHeight), 100);
    EXPECT_EQ(frame.BrightIn(kWidth - 18, 0, kWidth, kHeight), 0) << "text runs into the right margin";
    EXPECT_EQ(frame.BrightIn(0, kHeight - 17, kWidth, kHeight), 0) << "text runs into the top margin";
    // The crosshair covers the screen centre.
    EXPECT_GT(frame.BrightIn(kWidth / 2 - 4, kHeight / 2 - 4, kWidth / 2 + 4, kHeight / 2 + 4), 0);
    // The lower-left part of the screen, clear of the crosshair's arms, stays dark.
    EXPECT_EQ(frame.BrightIn(0, 0, kWidth / 2 - 20, kHeight / 2 - 20), 0);
}

TEST_F(TextScreenshotTest, WhiteTextAndTheCrosshairReadOnAWhiteScreen) {
    text.SetText("kills", TextEntry{"Kills: 38", 1, Absolute, {100.0f, 100.0f}, kWhite});
    text.SetCrosshairVisible(true);
    ReadabilitySettings& settings = ReadabilitySettings::Current();
    const ReadabilitySettings saved = settings;
    // Dark pixels round the text and round the crosshair, drawn over a white screen.
    auto darkPixels = [&](bool outline, bool drawnCrosshair) {
        settings.textOutline = outline;
        settings.drawnCrosshair = drawnCrosshair;
        glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        text.Draw();
        const Frame frame;
        auto darkIn = [&frame](int x0, int y0, int x1, int y1) {
            int count = 0;
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x)
                    count += frame.At(x, y)[0] < 64 ? 1 : 0;
            return count;
        };
        return std::pair{darkIn(90, 80, 320, 150),
                         darkIn(kWidth / 2 - 20, kHeight / 2 - 20, kWidth / 2 + 20, kHeight / 2 + 20)};
    };
    const auto [outlinedText, drawnCrosshair] = darkPixels(true, true);
    const auto [shadowedText, glyphCrosshair] = darkPixels(false, false);
    settings = saved;
    // The outline rings every letter on all sides, where the drop shadow darkens one side only.
    EXPECT_GT(outlinedText, shadowedText * 3 / 2) << outlinedText << " vs " << shadowedText;
    // The drawn crosshair's white lines sit inside dark edges: far more dark than the glyph's shadow.
    EXPECT_GT(drawnCrosshair, 40);
    EXPECT_GT(drawnCrosshair, glyphCrosshair);
}

TEST_F(TextScreenshotTest, GlyphBitmapsLandUprightOnTheirPixels) {
    // An 'L' tells upright from flipped and mirrored: its foot is at the bottom, to the right.
    const text_test::ReferenceGlyph l = LoadReferenceGlyph(kLargeFontPath, kLargePixelHeight, 'L');
    ASSERT_TRUE(l.loaded);
    ASSERT_GT(l.width, 10);
    constexpr int kPenX = 100, kPenY = 200;
    text.SetText("L",
                 TextEntry{"L", 0, Absolute, {static_cast<float>(kPenX), static_cast<float>(kPenY)}, kWhite});
    text.Draw();
    const Frame frame;

    int solid = 0, mismatched = 0;
    for (int row = 0; row < l.rows; ++row)
        for (int col = 0; col < l.width; ++col) {
            const int coverage = l.bitmap[static_cast<std::size_t>(row) * l.width + col];
            const int x = kPenX + l.left + col;
            const int y = kPenY + l.top - 1 - row; // bitmap rows run downwards from the top
            const int shown = frame.At(x, y)[0];
            if (coverage == 255) {
                ++solid;
                mismatched += shown < 240 ? 1 : 0;
            } else if (coverage == 0) {
                mismatched += shown > 16 ? 1 : 0;
            }
        }
    EXPECT_GT(solid, 100);
    EXPECT_EQ(mismatched, 0);
}

TEST_F(TextScreenshotTest, LaterKeysPaintOverEarlierOnes) {
    const Vec3 red{1.0f, 0.0f, 0.0f}, green{0.0f, 1.0f, 0.0f};
    // "win" sorts after "death", so it is painted last wherever both stand.
    text.SetText("win", TextEntry{"H", 0, Absolute, {300.0f, 300.0f}, red});
    text.SetText("death", TextEntry{"H", 0, Absolute, {300.0f, 300.0f}, green});
    text.Draw();
    const Frame frame;

    int redOnTop = 0, greenOnTop = 0;
    for (int y = 280; y < 420; ++y)
        for (int x = 280; x < 420; ++x) {
            const std::uint8_t* p = frame.At(x, y);
            redOnTop += p[0] > kBright && p[0] > p[1] ? 1 : 0;
            greenOnTop += p[1] > kBright / 4 && p[1] >= p[0] ? 1 : 0;
        }
    EXPECT_GT(redOnTop, 100);
    EXPECT_EQ(greenOnTop, 0);
}

} // namespace
