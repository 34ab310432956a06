// What a frame may not do: once start-up is over, starting games, waves, kills with their bursts
// and orbs make no GL object and build no program, so none of them stalls the frame it falls in.
#include "game/BasicEnemy.h"
#include "game/GameLoop.h"
#include "game/GameWorld.h"
#include "game/PickupObject.h"
#include "render/ParticleSystem.h"
#include "support/GameHarness.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

namespace {

/// The names GL would hand out next. Mesa never reuses a name, so a probe taken twice with
/// nothing made in between differs by exactly the one name the first probe used.
struct NextNames {
    GLuint texture = 0, buffer = 0, program = 0;

    static NextNames Probe() {
        NextNames next;
        glGenTextures(1, &next.texture);
        glDeleteTextures(1, &next.texture);
        glGenBuffers(1, &next.buffer);
        glDeleteBuffers(1, &next.buffer);
        // Programs and shader stages share one namespace: a compile would move it too.
        next.program = glCreateProgram();
        glDeleteProgram(next.program);
        return next;
    }
};

} // namespace

TEST(FramePath, PlayAfterStartUpMakesNoGlObjectAndBuildsNoProgram) {
    testing_support::GameHarness& game = testing_support::GameHarness::Get();
    game.Frame();
    const NextNames before = NextNames::Probe();

    // The first game: level, gun, orbs and lamps, then a wave, a kill and a dropped orb.
    game.StartGame();
    for (int i = 0; i < 5; ++i)
        new BasicEnemy(Vector3(static_cast<float>(i) * 3.0f - 6.0f, 2.0f, -10.0f), 29.0f, 100.0f);
    game.Frame();
    for (GameObject* object : std::vector<GameObject*>(game.World().GetObjects()))
        if (dynamic_cast<BasicEnemy*>(object) != nullptr)
            object->TakeDamage(100.0f);
    new PickupObject(Vector3(4.0f, 0.0f, 4.0f));
    for (int i = 0; i < 10; ++i)
        game.Frame();
    // A death and the next game at once, with bursts still in the air.
    GameLoop::GetInstance().OnPlayerDeath(true);
    for (int i = 0; i < 70; ++i)
        game.Frame();

    const NextNames after = NextNames::Probe();
    EXPECT_EQ(after.texture, before.texture + 1) << "textures were made during play";
    EXPECT_EQ(after.buffer, before.buffer + 1) << "buffers were made during play";
    EXPECT_EQ(after.program, before.program + 1) << "a program or shader was built during play";
}
