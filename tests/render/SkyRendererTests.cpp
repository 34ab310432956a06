// The sky: what it paints where the scene left the far plane, and that it can be turned off.
#include "render/ShaderHandler.h"
#include "render/SkyColours.h"
#include "render/SkyRenderer.h"

#include "RenderTestUtil.h"
#include "core/ConfigHandler.h"
#include "render/GraphicsSettings.h"
#include "render/Lights.h"
#include "support/ConsoleCapture.h"

#include <gtest/gtest.h>

namespace {

constexpr int kSize = 64;
const Vec3 kNorth{0.0f, 0.0f, -1.0f};

/// Clears to black with the left half of the depth buffer already taken by a "scene", then
/// draws the sky looking along `forward` with a square view `fov` degrees high.
void DrawSky(render_test::OffscreenTarget& target, const Vec3& forward, float fov = 90.0f) {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, target.width / 2, target.height);
    glClearDepth(0.0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glClearDepth(1.0);
    glDisable(GL_SCISSOR_TEST);
    ShaderHandler& shaders = ShaderHandler::GetInstance();
    shaders.BeginFrame(1.0f / 60.0f);
    SkyRenderer::GetInstance().Prepare(shaders);
    SkyRenderer::GetInstance().Draw(shaders, forward, fov, 1.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

Vec3 ClearColour() {
    float rgba[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

const std::array<std::uint8_t, 4> kBlack{0, 0, 0, 255};

void ExpectColour(const std::array<std::uint8_t, 4>& pixel, const Vec3& colour, const char* where) {
    EXPECT_NEAR(pixel[0], colour.x * 255.0f, 3.0f) << where;
    EXPECT_NEAR(pixel[1], colour.y * 255.0f, 3.0f) << where;
    EXPECT_NEAR(pixel[2], colour.z * 255.0f, 3.0f) << where;
}

} // namespace

TEST(SkyRenderer, FillsOnlyTheEmptyFarPlaneWithTheGradientAndTheSun) {
    testing_support::EnsureGLContext();
    render_test::OffscreenTarget target(kSize, kSize);
    ASSERT_TRUE(target.Complete());

    // Looking at the horizon: the horizon colour at eye level, bluer towards the zenith above;
    // the half the scene covers keeps what the scene drew. Below the horizon nothing is drawn:
    // the next frame's clear paints it in the horizon colour.
    DrawSky(target, kNorth);
    ExpectColour(target.Pixel(3 * kSize / 4, kSize / 2 - 1), kSkyHorizonColour, "at the horizon");
    const std::array<std::uint8_t, 4> high = target.Pixel(3 * kSize / 4, kSize - 2);
    EXPECT_GT(high[2] - high[0], 0.8f * (kSkyZenithColour.z - kSkyZenithColour.x) * 255.0f)
        << "near the zenith";
    EXPECT_EQ(target.Pixel(kSize / 4, kSize / 2), kBlack) << "the sky drew over the scene";
    EXPECT_EQ(target.Pixel(3 * kSize / 4, kSize / 4), kBlack) << "the sky was shaded below the horizon";
    EXPECT_EQ(ClearColour(), kSkyHorizonColour);

    // Looking 30 degrees down, the horizon's line is tan 30 / tan 45 = 0.577 up the screen: the
    // sky begins right there, in the horizon colour.
    DrawSky(target, {0.0f, -0.5f, -0.8660254f});
    ExpectColour(target.Pixel(3 * kSize / 4, 50), kSkyHorizonColour, "just above the lowered horizon");
    EXPECT_EQ(target.Pixel(3 * kSize / 4, 47), kBlack) << "the sky began under the lowered horizon";

    // Looking where the light comes from, through a narrow view: the sun's bright disc.
    DrawSky(target, Normalize(kSunDirection * -1.0f), 10.0f);
    const std::array<std::uint8_t, 4> sun = target.Pixel(kSize / 2 + 1, kSize / 2);
    EXPECT_GE(sun[0] + sun[1] + sun[2], 3 * 245);
    EXPECT_EQ(target.Pixel(kSize / 4, kSize / 2), kBlack);

    // Turned off in the settings, the void stays as it was, clear colour included.
    render_test::ScratchDir dir("sky-off");
    ConfigHandler& config = ConfigHandler::GetInstance();
    config.Load(dir.Write("config.toml", "[Graphics]\nsky = false\n"));
    GraphicsSettings::Current().Load(config); // read once, as at start-up
    DrawSky(target, kNorth);
    for (const int y : {2, kSize / 2, kSize - 2})
        EXPECT_EQ(target.Pixel(3 * kSize / 4, y), kBlack) << y;
    EXPECT_EQ(ClearColour(), (Vec3{0.0f, 0.0f, 0.0f}));
    testing_support::ConsoleCapture quiet;
    config.Load(dir.PathOf("none.toml"));
    GraphicsSettings::Current().Load(config);
}
