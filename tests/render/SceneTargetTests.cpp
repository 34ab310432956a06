// The scene drawn through its own picture against the scene drawn straight into the window: the
// same game frame, read back from the hidden window.
#include "game/BasicEnemy.h"
#include "game/GameWorld.h"
#include "game/PickupObject.h"
#include "render/SceneTarget.h"
#include "support/GameHarness.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

/// The window's picture after drawing the current game frame once more, nothing advanced.
std::vector<std::uint8_t> DrawFrame(testing_support::GameHarness& game, int width, int height) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    game.DrawOnly(0.0f);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    // Only the colour is shown: the alpha the scene leaves in the window is nobody's concern.
    for (std::size_t i = 3; i < pixels.size(); i += 4)
        pixels[i] = 255;
    return pixels;
}

/// Kept in the temporary directory for a look (and for image tools to compare).
void SavePng(const std::string& name, const std::vector<std::uint8_t>& pixels, int width, int height) {
    stbi_flip_vertically_on_write(1);
    stbi_write_png(("/tmp/korvane-scene-" + name + ".png").c_str(), width, height, 4, pixels.data(),
                   width * 4);
    stbi_flip_vertically_on_write(0);
}

/// Peak signal-to-noise ratio of two pictures in dB, as image tools report it.
double Psnr(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    double squared = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const double d = static_cast<double>(a[i]) - static_cast<double>(b[i]);
        squared += d * d;
    }
    const double mean = squared / static_cast<double>(a.size());
    return mean == 0.0 ? INFINITY : 10.0 * std::log10(255.0 * 255.0 / mean);
}

RenderQuality Quality(Antialiasing antialiasing, float scale) {
    RenderQuality quality;
    quality.antialiasing = antialiasing;
    quality.renderScale = scale;
    quality.minRenderScale = scale;
    return quality;
}

} // namespace

TEST(SceneTarget, ThroughItsPictureTheSceneLooksAsDrawnStraightIntoTheWindow) {
    testing_support::GameHarness& game = testing_support::GameHarness::Get();
    game.StartGame();
    for (int i = 0; i < 4; ++i)
        new BasicEnemy(Vector3(static_cast<float>(i) * 2.5f - 4.0f, 1.0f, 8.0f), 29.0f, 100.0f);
    for (int i = 0; i < 20; ++i)
        game.Frame();
    // The orbs bob and their lights move by the wall clock, and a burst moves on at every draw,
    // so no two draws of them are alike: the orbs go, and the bursts are let die out.
    for (GameObject* object : std::vector<GameObject*>(game.World().GetObjects()))
        if (dynamic_cast<PickupObject*>(object) != nullptr)
            object->Destroy();
    for (int i = 0; i < 70; ++i)
        game.Frame();
    int width = 0, height = 0;
    glfwGetFramebufferSize(glfwGetCurrentContext(), &width, &height);
    SceneTarget& target = SceneTarget::GetInstance();

    target.Configure(Quality(Antialiasing::Off, 1.0f));
    ASSERT_FALSE(target.IsOffscreen());
    const std::vector<std::uint8_t> direct = DrawFrame(game, width, height);
    SavePng("direct", direct, width, height);

    // At the window's size without anti-aliasing, the picture is the window's. Pixel for pixel
    // but for a few hundred: the software renderer rounds some blends by one and settles a
    // floor line's depth tie the other way in a texture than in the window.
    target.Configure(Quality(Antialiasing::Off, 1.0f), true);
    ASSERT_TRUE(target.IsOffscreen());
    const std::vector<std::uint8_t> through = DrawFrame(game, width, height);
    SavePng("through", through, width, height);
    std::size_t differing = 0;
    for (std::size_t i = 0; i < direct.size(); i += 4)
        differing +=
            direct[i] != through[i] || direct[i + 1] != through[i + 1] || direct[i + 2] != through[i + 2];
    EXPECT_LT(differing, direct.size() / 4 / 200) << "of " << direct.size() / 4 << " pixels";
    EXPECT_GT(Psnr(through, direct), 50.0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // The smoothing and the scaling move edges, never the picture: right way up, the same place,
    // the same colours. An upside-down scene scores about 11 dB, one shifted by four pixels 19.
    struct Case {
        Antialiasing antialiasing;
        float scale;
        double leastPsnr;
    };
    for (const Case& c : {Case{Antialiasing::Post, 1.0f, 30.0}, Case{Antialiasing::Msaa, 1.0f, 30.0},
                          Case{Antialiasing::Post, 0.5f, 22.0}, Case{Antialiasing::Msaa, 0.75f, 22.0},
                          Case{Antialiasing::Off, 2.0f, 28.0}}) {
        target.Configure(Quality(c.antialiasing, c.scale));
        const std::vector<std::uint8_t> picture = DrawFrame(game, width, height);
        const char* names[] = {"msaa", "post", "off"};
        SavePng(std::string(names[static_cast<int>(c.antialiasing)]) + "-" +
                    std::to_string(c.scale).substr(0, 4),
                picture, width, height);
        const double psnr = Psnr(picture, direct);
        EXPECT_GT(psnr, c.leastPsnr) << "antialiasing " << static_cast<int>(c.antialiasing) << " at scale "
                                     << c.scale;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    target.Configure(Quality(Antialiasing::Off, 1.0f));
    target.Release();
}
