// Drawing the blobs: they darken the surface they lie in (never losing to it in the depth
// test), only within their round outline, and not at all when turned off.
#include "render/ContactShadowRenderer.h"
#include "render/ShaderHandler.h"

#include "RenderTestUtil.h"
#include "core/ConfigHandler.h"
#include "render/GraphicsSettings.h"
#include "support/ConsoleCapture.h"

#include <gtest/gtest.h>

namespace {

constexpr int kSize = 64;
constexpr std::uint8_t kGrey = 128;

/// A grey floor at y = 0 seen straight from above through an orthographic view of x and z in
/// -2 ... 2, its depth exactly where the view puts y = 0; then the blobs over it.
void DrawOverFloor(const std::vector<ContactShadow>& shadows) {
    glClearColor(kGrey / 255.0f, kGrey / 255.0f, kGrey / 255.0f, 1.0f);
    glClearDepth(0.5);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    Mat4 viewProjection;
    viewProjection.At(0, 0) = 0.5f;  // x to the right
    viewProjection.At(2, 1) = -0.5f; // -z up the screen
    viewProjection.At(1, 2) = -0.5f; // higher is nearer; y = 0 at depth 0.5
    viewProjection.At(3, 3) = 1.0f;
    ShaderHandler& shaders = ShaderHandler::GetInstance();
    shaders.BeginFrame(1.0f / 60.0f);
    shaders.SetCamera(viewProjection, {0.0f, 10.0f, 0.0f}, {0.0f, 0.0f, -1.0f});
    ContactShadowRenderer::GetInstance().Draw(shaders, shadows);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace

TEST(ContactShadowRenderer, DarkensTheSurfaceUnderEachBlobInOneBuffer) {
    testing_support::EnsureGLContext();
    render_test::OffscreenTarget target(kSize, kSize);
    ASSERT_TRUE(target.Complete());
    glEnable(GL_CULL_FACE);

    ContactShadow left;
    left.centre = {-1.0f, 0.0f, 0.0f};
    left.radius = 0.8f;
    left.opacity = ContactShadow::kMaxOpacity;
    ContactShadow right = left;
    right.centre = {1.0f, 0.0f, 0.0f};
    right.opacity = ContactShadow::kMaxOpacity / 2.0f;
    DrawOverFloor({left, right});

    // x = -1 and x = 1 fall on pixels 16 and 48 of the row through z = 0.
    const std::uint8_t leftCentre = target.Pixel(16, kSize / 2)[0];
    const std::uint8_t rightCentre = target.Pixel(48, kSize / 2)[0];
    EXPECT_NEAR(leftCentre, kGrey * (1.0f - ContactShadow::kMaxOpacity), 3.0f)
        << "the blob lost to the floor";
    EXPECT_LT(leftCentre, rightCentre) << "a fainter blob is lighter";
    EXPECT_LT(rightCentre, kGrey - 20);
    // Softer towards the rim, and nothing outside the circle, even in the quad's corners.
    const std::uint8_t nearRim = target.Pixel(16 + 9, kSize / 2)[0];
    EXPECT_GT(nearRim, leftCentre);
    EXPECT_LT(nearRim, kGrey);
    EXPECT_EQ(target.Pixel(16 + 12, kSize / 2 + 12)[0], kGrey) << "the square's corner shows";
    EXPECT_EQ(target.Pixel(kSize / 2, kSize - 4)[0], kGrey);

    // Turned off in the settings, the floor stays untouched.
    render_test::ScratchDir dir("shadows-off");
    ConfigHandler& config = ConfigHandler::GetInstance();
    config.Load(dir.Write("config.toml", "[Graphics]\ncontactShadows = false\n"));
    GraphicsSettings::Current().Load(config); // read once, as at start-up
    DrawOverFloor({left, right});
    EXPECT_EQ(target.Pixel(16, kSize / 2)[0], kGrey);
    EXPECT_EQ(target.Pixel(48, kSize / 2)[0], kGrey);
    testing_support::ConsoleCapture quiet;
    config.Load(dir.PathOf("none.toml"));
    GraphicsSettings::Current().Load(config);
    glDisable(GL_CULL_FACE);
}
