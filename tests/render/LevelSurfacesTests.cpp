// The arena's surfaces come from one texture array, read once per pixel: the floor shows its
// panel seams, the floor by the open east edge its yellow and black stripes, and each switch
// takes its part away again.
#include "game/GameLoop.h"
#include "render/LevelSurfaces.h"
#include "render/ReadabilitySettings.h"
#include "support/GameHarness.h"
#include "ui/TextHandler.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

struct Patch {
    double spread = 0.0; // standard deviation of the brightness
    int yellow = 0;
    int dark = 0;
};

/// The 41 x 41 pixels round the crosshair, looking down on the floor from 4 units above (x, z).
Patch LookDownAt(testing_support::GameHarness& game, float x, float z) {
    game.DrawLookingDownOn(x, z);
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    constexpr int kSide = 41;
    std::vector<unsigned char> pixels(kSide * kSide * 4);
    glReadPixels(viewport[2] / 2 - kSide / 2, viewport[3] / 2 - kSide / 2, kSide, kSide, GL_RGBA,
                 GL_UNSIGNED_BYTE, pixels.data());
    Patch patch;
    double sum = 0.0, squares = 0.0;
    for (int i = 0; i < kSide * kSide; ++i) {
        const int r = pixels[i * 4], g = pixels[i * 4 + 1], b = pixels[i * 4 + 2];
        const double brightness = (r + g + b) / 3.0;
        sum += brightness;
        squares += brightness * brightness;
        patch.yellow += r - b > 60 && g - b > 40 ? 1 : 0;
        patch.dark += r + g + b < 400 && r - b < 20 ? 1 : 0;
    }
    const double mean = sum / (kSide * kSide);
    patch.spread = std::sqrt(std::max(squares / (kSide * kSide) - mean * mean, 0.0));
    return patch;
}

void Switch(bool textures, bool markings) {
    ReadabilitySettings::Current().levelTextures = textures;
    ReadabilitySettings::Current().hazardMarkings = markings;
    LevelSurfaces::GetInstance().Release();
    LevelSurfaces::GetInstance().Prepare();
}

} // namespace

TEST(LevelSurfaces, TheFloorShowsItsSeamsAndTheDropsTheirStripesEachAsItsSwitchSays) {
    testing_support::GameHarness& game = testing_support::GameHarness::Get();
    if (!GameLoop::GetInstance().started)
        game.StartGame();
    const ReadabilitySettings saved = ReadabilitySettings::Current();
    // The crosshair and the screen text would cover the patch under the eye.
    const bool textShown = TextHandler::GetInstance().IsEnabled();
    TextHandler::GetInstance().SetEnabled(false);

    // (10, 10): a panel seam of the floor's texture runs under the eye, midway between tile lines.
    Switch(true, true);
    const Patch floor = LookDownAt(game, 10.0f, 10.0f);
    const Patch stripes = LookDownAt(game, 62.5f, 6.0f);
    Switch(true, false);
    const Patch edgeWithoutMarkings = LookDownAt(game, 62.5f, 6.0f);
    Switch(false, true);
    const Patch plainFloor = LookDownAt(game, 10.0f, 10.0f);
    const Patch stripesAlone = LookDownAt(game, 62.5f, 6.0f);

    Switch(saved.levelTextures, saved.hazardMarkings);
    TextHandler::GetInstance().SetEnabled(textShown);

    EXPECT_GT(floor.spread, plainFloor.spread + 4.0) << "the seam and grain show on the floor";
    EXPECT_LT(plainFloor.spread, 4.0) << "without its texture the floor there is even";
    for (const Patch& edge : {stripes, stripesAlone}) {
        EXPECT_GT(edge.yellow, 200) << "yellow stripes by the open edge";
        EXPECT_GT(edge.dark, 200) << "with black between them";
    }
    EXPECT_EQ(edgeWithoutMarkings.yellow, 0) << "no stripes with the markings off";
    EXPECT_EQ(edgeWithoutMarkings.dark, 0);
}
