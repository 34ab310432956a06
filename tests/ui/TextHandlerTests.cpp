// The text renderer: glyph metrics, where each alignment puts entries and blocks, the item
// tables, and which items a frame actually draws.
#include "ui/HudShapes.h"
#include "ui/TextHandler.h"

#include "TextTestUtil.h"
#include "core/InputHandler.h"
#include "support/ConsoleCapture.h"

#include <gtest/gtest.h>

namespace {

using text_test::kLargeFontPath;
using text_test::kLargePixelHeight;
using text_test::kSmallFontPath;
using text_test::kSmallPixelHeight;
using text_test::LoadReferenceGlyph;
using text_test::ReferenceWidth;

constexpr int kSmall = 1;
constexpr int kLarge = 0;
const Vec3 kWhite{1.0f, 1.0f, 1.0f};

class TextHandlerTest : public text_test::TextScene {};

TEST_F(TextHandlerTest, WidthsAreWholePixelAdvancesOfTheRightFont) {
    const std::string line = "60 FPS (16.67 ms)";
    // Each advance is cut to whole pixels before summing, as FreeType's 26.6 values >> 6.
    EXPECT_EQ(text.TextWidth(line, kSmall), ReferenceWidth(kSmallFontPath, kSmallPixelHeight, line));
    EXPECT_EQ(text.TextWidth("You Died", kLarge),
              ReferenceWidth(kLargeFontPath, kLargePixelHeight, "You Died"));
    EXPECT_EQ(text.CapHeight(kSmall),
              static_cast<float>(LoadReferenceGlyph(kSmallFontPath, kSmallPixelHeight, 'H').top));
    EXPECT_EQ(text.CapHeight(kLarge),
              static_cast<float>(LoadReferenceGlyph(kLargeFontPath, kLargePixelHeight, 'H').top));
    EXPECT_GT(text.CapHeight(kLarge), text.CapHeight(kSmall));

    // Nothing measures nothing; bytes past 127 and fonts never loaded have no glyphs at all.
    EXPECT_EQ(text.TextWidth("", kSmall), 0.0f);
    EXPECT_EQ(text.TextWidth("a\x80\xC3\xA9\xFF"
                             "b",
                             kSmall),
              text.TextWidth("ab", kSmall));
    EXPECT_EQ(text.TextWidth("abc", 2), 0.0f);
    EXPECT_EQ(text.TextWidth("abc", -1), 0.0f);
    EXPECT_EQ(text.CapHeight(2), 0.0f);
}

TEST_F(TextHandlerTest, EntryAlignmentsAnchorToTheViewportEdges) {
    const std::string line = "Score 42";
    const float w = text.TextWidth(line, kSmall);
    const float cap = text.CapHeight(kSmall);
    ASSERT_GT(w, 0.0f);
    const Vec2 offset{15.0f, -25.0f};
    const auto pen = [&](int align) { return text.EntryPen(line, kSmall, align, offset); };

    // Absolute is the position itself, from the bottom-left corner.
    EXPECT_TRUE(pen(Absolute).valid);
    EXPECT_EQ(pen(Absolute).x, 15.0f);
    EXPECT_EQ(pen(Absolute).y, -25.0f);
    // Centred items put the middle of the line on the vertical centre line, shifted by x.
    EXPECT_FLOAT_EQ(pen(TopCenter).x + w * 0.5f, 400.0f + 15.0f);
    EXPECT_FLOAT_EQ(pen(BottomCenter).x + w * 0.5f, 400.0f + 15.0f);
    EXPECT_FLOAT_EQ(pen(Center).x + w * 0.5f, 400.0f + 15.0f);
    // Right-anchored items end x pixels from the right edge.
    EXPECT_FLOAT_EQ(pen(BottomRight).x + w, 800.0f + 15.0f);
    EXPECT_FLOAT_EQ(pen(TopRight).x + w, 800.0f + 15.0f);
    // Top anchors put the cap line (the top of an 'H') y pixels from the top edge.
    EXPECT_FLOAT_EQ(pen(TopCenter).y + cap, 600.0f - 25.0f);
    EXPECT_FLOAT_EQ(pen(TopRight).y + cap, 600.0f - 25.0f);
    // Bottom anchors use y as the baseline; Center centres the cap height, then shifts by y.
    EXPECT_EQ(pen(BottomCenter).y, -25.0f);
    EXPECT_EQ(pen(BottomRight).y, -25.0f);
    EXPECT_FLOAT_EQ(pen(Center).y + cap * 0.5f, 300.0f - 25.0f);

    for (int align : {6, -1, 100})
        EXPECT_FALSE(pen(align).valid) << "align " << align;
}

TEST_F(TextHandlerTest, BlockLinesShareOneLeftEdgeAndStepByTheCapRows) {
    const std::vector<std::string> lines = {"ab", "a much wider line", "mid"};
    const float widest = text.TextWidth(lines[1], kSmall);
    ASSERT_GT(widest, text.TextWidth(lines[0], kSmall));
    const float cap = text.CapHeight(kSmall);
    const float step =
        static_cast<float>(LoadReferenceGlyph(kSmallFontPath, kSmallPixelHeight, 'H').rows) + 10.0f;
    const auto pens = [&](int align, Vec2 position) {
        return text.BlockPens(lines, kSmall, align, position);
    };

    // The weapon readout: the widest line ends 20 px from the right edge, the first line is
    // the bottom one with its baseline 20 px up, and each further line stands above it.
    const std::vector<Vec2> weapon = pens(BottomRight, {-20.0f, 20.0f});
    ASSERT_EQ(weapon.size(), 3u);
    for (std::size_t i = 0; i < weapon.size(); ++i) {
        EXPECT_FLOAT_EQ(weapon[i].x + widest, 780.0f) << "line " << i;
        EXPECT_FLOAT_EQ(weapon[i].y, 20.0f + step * static_cast<float>(i)) << "line " << i;
    }

    const std::vector<Vec2> absolute = pens(Absolute, {30.0f, 40.0f});
    ASSERT_EQ(absolute.size(), 3u);
    EXPECT_EQ(absolute[0].x, 30.0f);
    EXPECT_EQ(absolute[2].x, 30.0f);
    EXPECT_FLOAT_EQ(absolute[2].y, 40.0f + 2.0f * step);

    const std::vector<Vec2> bottom = pens(BottomCenter, {0.0f, 20.0f});
    ASSERT_EQ(bottom.size(), 3u);
    EXPECT_FLOAT_EQ(bottom[0].x + widest * 0.5f, 400.0f);
    EXPECT_FLOAT_EQ(bottom[1].y, 20.0f + step);

    // Top-anchored and centred blocks read downwards from their first line.
    const std::vector<Vec2> top = pens(TopCenter, {0.0f, -20.0f});
    ASSERT_EQ(top.size(), 3u);
    EXPECT_FLOAT_EQ(top[0].y + cap, 580.0f);
    EXPECT_FLOAT_EQ(top[2].y, top[0].y - 2.0f * step);
    EXPECT_FLOAT_EQ(top[2].x, top[0].x);

    const std::vector<Vec2> centre = pens(Center, {0.0f, 50.0f});
    ASSERT_EQ(centre.size(), 3u);
    EXPECT_FLOAT_EQ(centre[0].x + widest * 0.5f, 400.0f);
    EXPECT_FLOAT_EQ(centre[0].y + cap * 0.5f, 350.0f);
    EXPECT_FLOAT_EQ(centre[1].y, centre[0].y - step);

    // Blocks have no top-right layout, and nothing is laid out for no lines.
    EXPECT_TRUE(pens(TopRight, {0.0f, 0.0f}).empty());
    EXPECT_TRUE(pens(6, {0.0f, 0.0f}).empty());
    EXPECT_TRUE(text.BlockPens({}, kSmall, BottomRight, {0.0f, 0.0f}).empty());
}

TEST_F(TextHandlerTest, SettingReplacesAndRemovingTouchesOnlyItsOwnTable) {
    text.SetText("k", TextEntry{"abc", kSmall, Absolute, {1.0f, 2.0f}, kWhite});
    text.SetTextBlock("k", TextBlock{{"one", "two"}, kSmall, BottomRight, {-20.0f, 20.0f}, kWhite});
    text.SetText("k", TextEntry{"xy", kLarge, Center, {3.0f, 4.0f}, {1.0f, 0.0f, 0.0f}});

    // Every field of the entry is replaced and there is still one entry under the key.
    ASSERT_EQ(text.Entries().size(), 1u);
    const TextEntry& entry = text.Entries().at("k");
    EXPECT_EQ(entry.text, "xy");
    EXPECT_EQ(entry.font, kLarge);
    EXPECT_EQ(entry.align, Center);
    EXPECT_EQ(entry.position.x, 3.0f);
    EXPECT_EQ(entry.position.y, 4.0f);
    EXPECT_EQ(entry.color, (Vec3{1.0f, 0.0f, 0.0f}));

    text.RemoveText("absent");
    text.RemoveTextBlock("absent");
    text.RemoveText("k");
    // The block under the same key survives the entry's removal.
    EXPECT_TRUE(text.Entries().empty());
    ASSERT_EQ(text.Blocks().count("k"), 1u);
    EXPECT_EQ(text.Blocks().at("k").lines.size(), 2u);
    text.RemoveTextBlock("k");
    EXPECT_TRUE(text.Blocks().empty());
}

TEST_F(TextHandlerTest, EveryCharacterCostsTwoQuadsAndF3HidesThemAll) {
    text.SetText("fps", TextEntry{"60 FPS", kSmall, TopRight, {-20.0f, -20.0f}, kWhite});
    EXPECT_EQ(GlyphsDrawn(), 12u);
    text.SetTextBlock("weapon", TextBlock{{"Ammo", "Reload"}, kSmall, BottomRight, {-20.0f, 20.0f}, kWhite});
    EXPECT_EQ(GlyphsDrawn(), 12u + 20u);
    // The crosshair is drawn as lines, not as a character.
    HudShapes& shapes = HudShapes::GetInstance();
    text.SetCrosshairVisible(true);
    shapes.drawnTriangles = 0;
    EXPECT_EQ(GlyphsDrawn(), 12u + 20u);
    EXPECT_GT(shapes.drawnTriangles, 0u);

    InputHandler::GetInstance().Press(Action::ToggleText);
    EXPECT_FALSE(text.IsEnabled());
    // No text, no shadows, no crosshair, while the items themselves are kept.
    shapes.drawnTriangles = 0;
    EXPECT_EQ(GlyphsDrawn(), 0u);
    EXPECT_EQ(shapes.drawnTriangles, 0u);
    EXPECT_EQ(text.Entries().size(), 1u);
    InputHandler::GetInstance().Press(Action::ToggleText);
    EXPECT_EQ(GlyphsDrawn(), 12u + 20u);
}

TEST_F(TextHandlerTest, ItemsWithoutGlyphsOrPlacementDrawNothing) {
    text.SetText("font", TextEntry{"abc", 2, Absolute, {10.0f, 10.0f}, kWhite});
    text.SetText("negative font", TextEntry{"abc", -1, Absolute, {10.0f, 10.0f}, kWhite});
    text.SetText("align", TextEntry{"abc", kSmall, 6, {10.0f, 10.0f}, kWhite});
    text.SetText("empty", TextEntry{"", kSmall, Center, {0.0f, 0.0f}, kWhite});
    text.SetText("high bytes", TextEntry{"\x80\xC3\xA9\xFF", kSmall, Center, {0.0f, 0.0f}, kWhite});
    text.SetTextBlock("no lines", TextBlock{{}, kSmall, Center, {0.0f, 0.0f}, kWhite});
    text.SetTextBlock("top right", TextBlock{{"abc"}, kSmall, TopRight, {0.0f, 0.0f}, kWhite});
    text.SetTextBlock("bad align", TextBlock{{"abc"}, kSmall, -3, {0.0f, 0.0f}, kWhite});
    EXPECT_EQ(GlyphsDrawn(), 0u);

    // A high byte in a line is skipped without taking the characters around it along.
    text.SetText("mixed", TextEntry{"a\x80"
                                    "b",
                                    kSmall,
                                    Absolute,
                                    {10.0f, 10.0f},
                                    kWhite});
    EXPECT_EQ(GlyphsDrawn(), 4u);
}

TEST_F(TextHandlerTest, ResizeMovesAnchoredItemsOnly) {
    const std::string line = "0:59";
    const float w = text.TextWidth(line, kSmall);
    const float cap = text.CapHeight(kSmall);
    text.Resize(1024.0f, 768.0f);
    EXPECT_EQ(text.Width(), 1024);
    EXPECT_EQ(text.Height(), 768);

    const PenPosition topRight = text.EntryPen(line, kSmall, TopRight, {-20.0f, -20.0f});
    EXPECT_FLOAT_EQ(topRight.x + w, 1004.0f);
    EXPECT_FLOAT_EQ(topRight.y + cap, 748.0f);
    const PenPosition absolute = text.EntryPen(line, kSmall, Absolute, {20.0f, 20.0f});
    EXPECT_EQ(absolute.x, 20.0f);
    EXPECT_EQ(absolute.y, 20.0f);
    const std::vector<Vec2> block = text.BlockPens({line}, kSmall, BottomRight, {-20.0f, 20.0f});
    ASSERT_EQ(block.size(), 1u);
    EXPECT_FLOAT_EQ(block[0].x + w, 1004.0f);

    // Fractional sizes keep whole pixels for anchoring.
    text.Resize(1023.9f, 767.5f);
    EXPECT_EQ(text.Width(), 1023);
    EXPECT_EQ(text.Height(), 767);
}

TEST_F(TextHandlerTest, AFontFileThatCannotBeOpenedIsReportedAndHasNoGlyphs) {
    testing_support::ConsoleCapture console;
    text.LoadFont("assets/fonts/No Such Font.otf", kSmallPixelHeight, 5);
    EXPECT_EQ(console.Text(), "ERROR::FREETYPE: Failed to load font\n");
    EXPECT_EQ(text.TextWidth("abc", 5), 0.0f);
    text.SetText("missing", TextEntry{"abc", 5, Absolute, {10.0f, 10.0f}, kWhite});
    EXPECT_EQ(GlyphsDrawn(), 0u);
}

} // namespace
