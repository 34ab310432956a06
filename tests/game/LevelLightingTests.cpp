// The level without its light map is lit per pixel by every lamp, wherever the lamp stands:
// a lamp far from the arena's centre brightens the floor under it, not the whole floor alike.
#include "game/GameLoop.h"
#include "game/GameWorld.h"
#include "render/GraphicsSettings.h"
#include "render/Lights.h"
#include "support/GameHarness.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

namespace {

/// The red of a pixel just beside the crosshair, looking straight down from above (x, z).
int RedLookingDownAt(testing_support::GameHarness& game, float x, float z) {
    game.DrawLookingDownOn(x, z);
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    unsigned char pixel[4] = {0, 0, 0, 0};
    glReadPixels(viewport[2] / 2 + 40, viewport[3] / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return pixel[0];
}

} // namespace

TEST(LevelLighting, WithoutTheLightMapALampFarFromTheCentreLightsTheFloorUnderIt) {
    testing_support::GameHarness& game = testing_support::GameHarness::Get();
    GraphicsSettings& settings = GraphicsSettings::Current();
    const GraphicsSettings saved = settings;
    settings.lightMap = false;
    settings.lightsPerObject = 3;
    // A new game builds its level for these settings.
    GameLoop& flow = GameLoop::GetInstance();
    if (!flow.started) {
        game.StartGame();
    } else {
        flow.startPending = true;
        game.StepOnce();
    }

    // Far from the centre and short-reaching: at (0, 0, 0) it is the weakest of the lamps.
    PointLight lamp{{2.0f, 0.0f, 0.0f}, {22.0f, 1.5f, 22.0f}, {1.0f, 0.2f, 0.05f}};
    const int nearBefore = RedLookingDownAt(game, 22.0f, 22.0f);
    const int farBefore = RedLookingDownAt(game, -22.0f, -22.0f);
    game.World().AddPointLight(&lamp);
    const int nearAfter = RedLookingDownAt(game, 22.0f, 22.0f);
    const int farAfter = RedLookingDownAt(game, -22.0f, -22.0f);
    game.World().RemovePointLight(&lamp);

    EXPECT_GT(nearAfter - nearBefore, 30) << "the floor under the lamp is lit by it";
    EXPECT_LE(farAfter - farBefore, 5) << "the floor across the arena is not";

    settings = saved;
    flow.startPending = true;
    game.StepOnce();
}
