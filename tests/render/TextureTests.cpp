// Texture creation: formats by channel count, image loading and its fall-back, the gradient.
#include "core/AssetLocator.h"
#include "render/BakedLight.h"
#include "render/ModelHandler.h"
#include "render/Texture.h"

#include "RenderTestUtil.h"
#include "support/ConsoleCapture.h"

#include <stb/stb_image_write.h>

#include <algorithm>
#include <gtest/gtest.h>

namespace {

GLint FormatFor(int channels, bool srgb) {
    // 4 x 4 keeps every row a multiple of four bytes whatever the channel count.
    const std::vector<unsigned char> pixels(4 * 4 * 4, 100);
    const GlObject id = CreateTexture(pixels.data(), 4, 4, channels, srgb);
    return render_test::InternalFormatOf(id);
}

/// The first 33 bytes of a PNG: enough for its header to claim `width` x `height`, no pixel data.
std::string PngHeader(std::uint32_t width, std::uint32_t height) {
    std::string bytes = "\x89PNG\r\n\x1a\n";
    bytes += std::string("\0\0\0\x0dIHDR", 8);
    for (std::uint32_t side : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes += static_cast<char>((side >> shift) & 0xFF);
    bytes += std::string("\x08\x02\0\0\0", 5) + std::string(4, '\0');
    return bytes;
}

} // namespace

TEST(TextureCreation, TheFormatFollowsTheChannelCount) {
    testing_support::EnsureGLContext();
    EXPECT_EQ(FormatFor(1, false), GL_RED);
    EXPECT_EQ(FormatFor(2, false), GL_RG);
    EXPECT_EQ(FormatFor(3, false), GL_RGB);
    EXPECT_EQ(FormatFor(4, false), GL_RGBA);
    // Only colour images are decoded from sRGB; one- and two-channel data never is.
    EXPECT_EQ(FormatFor(1, true), GL_RED);
    EXPECT_EQ(FormatFor(2, true), GL_RG);
    EXPECT_EQ(FormatFor(3, true), GL_SRGB);
    EXPECT_EQ(FormatFor(4, true), GL_SRGB_ALPHA);
}

TEST(TextureLoading, ImagesAreFlippedSoTheirLastRowComesFirst) {
    testing_support::EnsureGLContext();
    render_test::ScratchDir dir("png-flip");
    // Two rows: red on top, blue at the bottom of the image as a viewer sees it.
    const unsigned char image[2 * 2 * 3] = {255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255};
    const std::string path = dir.PathOf("rows.png");
    // Rows of 6 bytes: the game runs with tightly packed rows (set once at start-up).
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    ASSERT_NE(stbi_write_png(path.c_str(), 2, 2, 3, image, 2 * 3), 0);
    const GlObject id = LoadTexture(path, false);
    EXPECT_EQ(render_test::InternalFormatOf(id), GL_RGB);
    int width = 0, height = 0;
    const std::vector<std::uint8_t> texels = render_test::TexelsOf(id, width, height);
    ASSERT_EQ(width, 2);
    ASSERT_EQ(height, 2);
    // GL's first row is the bottom one: the blue row.
    EXPECT_EQ(texels[0], 0);
    EXPECT_EQ(texels[2], 255);
    EXPECT_EQ(texels[2 * 2 * 4 - 4], 255);
}

TEST(TextureLoading, AGreyscaleImageStaysRedEvenWhenSrgbIsAsked) {
    testing_support::EnsureGLContext();
    render_test::ScratchDir dir("png-grey");
    const unsigned char image[4 * 4] = {7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7};
    const std::string path = dir.PathOf("grey.png");
    ASSERT_NE(stbi_write_png(path.c_str(), 4, 4, 1, image, 4), 0);
    const GlObject id = LoadTexture(path, true);
    EXPECT_EQ(render_test::InternalFormatOf(id), GL_RED);
    EXPECT_EQ(render_test::FirstTexelOf(id)[0], 7);
}

TEST(TextureLoading, AMissingImageBecomesMagentaWithOneLine) {
    testing_support::EnsureGLContext();
    testing_support::ConsoleCapture console;
    const GlObject id = LoadTexture("assets/textures/does-not-exist.png", true);
    EXPECT_NE(id, 0u);
    const std::string text = console.Text();
    EXPECT_NE(text.find("assets/textures/does-not-exist.png"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
    const auto texel = render_test::FirstTexelOf(id);
    EXPECT_EQ(texel, (std::array<std::uint8_t, 4>{255, 0, 255, 255}));
}

TEST(TextureLoading, AnImageClaimingMoreThanTheLimitIsRefusedFromItsHeaderOnEveryPath) {
    testing_support::EnsureGLContext();
    const std::string tooWide = PngHeader(kMaxImageSide + 1, 4);
    std::string problem;
    const DecodedImage fromMemory =
        DecodeImage(reinterpret_cast<const unsigned char*>(tooWide.data()), tooWide.size(), problem);
    EXPECT_EQ(fromMemory.pixels, nullptr);
    EXPECT_EQ(problem, "8193 x 4 pixels, more than 8192 a side");

    // A texture (the light map among them) and the sun map, both read from the assets.
    render_test::ScratchDir dir("png-oversized");
    std::filesystem::create_directories(dir.PathOf("assets/textures"));
    dir.Write("assets/korvane-assets.txt", "");
    dir.Write("assets/textures/wide.png", tooWide);
    dir.Write("assets/textures/Map1_sun.png", PngHeader(4, 30000));
    // The real light map is taken first, so that only the sun map is read from the scratch assets.
    BakedLight& baked = BakedLight::GetInstance();
    baked.Prepare();
    baked.Release();
    AssetLocator& assets = AssetLocator::GetInstance();
    const std::filesystem::path previous = assets.Root();
    ASSERT_TRUE(assets.Locate({dir.PathOf("assets")}));
    testing_support::ConsoleCapture console;
    const GlObject id = LoadTexture("assets/textures/wide.png", true);
    baked.Prepare();
    const std::string text = console.Text();
    const float sunVisibility = baked.SunVisibilityAt(0.0f, 0.0f);
    baked.Release();
    assets.Locate({previous});
    EXPECT_EQ(render_test::FirstTexelOf(id), (std::array<std::uint8_t, 4>{255, 0, 255, 255}));
    EXPECT_NE(text.find("wide.png: 8193 x 4 pixels, more than 8192 a side\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Map1_sun.png: 4 x 30000 pixels, more than 8192 a side\n"), std::string::npos)
        << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;
    EXPECT_FLOAT_EQ(sunVisibility, 1.0f) << "a refused sun map leaves everything in full sun";
}

TEST(TextureLoading, TheCacheKeepsTheFirstSrgbChoiceOfAPath) {
    testing_support::EnsureGLContext();
    render_test::ScratchDir dir("png-cache");
    const unsigned char image[4 * 4 * 3] = {};
    const std::string path = dir.PathOf("cached.png");
    ASSERT_NE(stbi_write_png(path.c_str(), 4, 4, 3, image, 4 * 3), 0);
    ModelHandler& models = ModelHandler::GetInstance();
    TextureHandle first = models.GetTexture(path, false);
    TextureHandle second = models.GetTexture(path, true);
    EXPECT_EQ(second, first);
    EXPECT_EQ(render_test::InternalFormatOf(*second), GL_RGB);
}

TEST(GradientTextureTest, OneSinePeriodFromVioletToCyanAcrossEqualRows) {
    testing_support::EnsureGLContext();
    GradientTexture& gradient = GradientTexture::GetInstance();
    ASSERT_NE(gradient.handle, nullptr);
    // Shared: a second request gives the same texture.
    EXPECT_EQ(GradientTexture::GetInstance().handle, gradient.handle);
    EXPECT_EQ(render_test::InternalFormatOf(*gradient.handle), GL_SRGB_ALPHA);
    int width = 0, height = 0;
    const std::vector<std::uint8_t> texels = render_test::TexelsOf(*gradient.handle, width, height);
    ASSERT_EQ(width, 1024);
    ASSERT_EQ(height, 1024);
    const auto texel = [&](int column, int row) {
        return &texels[(static_cast<std::size_t>(row) * width + column) * 4];
    };
    // A quarter period in the sine is at its top: nearly pure cyan; three quarters pure violet.
    EXPECT_LE(texel(256, 0)[0], 1);
    EXPECT_GE(texel(256, 0)[1], 198);
    EXPECT_GE(texel(768, 0)[0], 133);
    EXPECT_EQ(texel(768, 0)[1], 0);
    // Column 0 is half-way: (1 - 127/255) of the red end and 127/255 of the green end, truncated.
    EXPECT_EQ(texel(0, 0)[0], 67);
    EXPECT_EQ(texel(0, 0)[1], 99);
    for (int column : {0, 100, 256, 600, 768, 1023}) {
        EXPECT_EQ(texel(column, 0)[2], 255);
        EXPECT_EQ(texel(column, 0)[3], 255);
        // All rows equal.
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(texel(column, 1023)[c], texel(column, 0)[c]);
    }
}

TEST(TextureCreation, RowsAreReadTightlyPackedWhateverTheAlignmentWasBefore) {
    testing_support::EnsureGLContext();
    // Three one-byte texels a row: with four-byte rows GL would take the second row from byte 4
    // and read past the end of the buffer. Whatever ran before may have left four set.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    const std::vector<unsigned char> pixels = {10, 20, 30, 40, 50, 60};
    const GlObject id = CreateTexture(pixels.data(), 3, 2, 1, false);
    int width = 0, height = 0;
    const std::vector<std::uint8_t> texels = render_test::TexelsOf(id, width, height);
    ASSERT_EQ(width, 3);
    ASSERT_EQ(height, 2);
    // TexelsOf reads back RGBA: the red channel carries the grey value.
    for (std::size_t i = 0; i < pixels.size(); ++i)
        EXPECT_EQ(texels[i * 4], pixels[i]) << "texel " << i;
}
