#include "audio/AudioService.h"
#include "core/Action.h"
#include "game/BasicEnemy.h"
#include "game/GameLoop.h"
#include "game/GameObject.h"
#include "game/GameWorld.h"
#include "game/PlayerObject.h"
#include "physics/PhysicsWorld.h"
#include "render/Camera.h"
#include "render/ParticleRegistry.h"
#include "support/ConsoleCapture.h"
#include "support/GameHarness.h"

#include <GL/glew.h>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <malloc.h>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime's allocator interface (its header is not always installed).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

using testing_support::ConsoleCapture;
using testing_support::GameHarness;

std::size_t AllocatedBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

/// What must come back to the same level at every game start.
struct Snapshot {
    std::size_t objectsButPickups = 0;
    std::size_t pointLights = 0;
    std::size_t bodies = 0;
    std::size_t objects = 0;
    std::size_t bursts = 0;
    std::size_t liveBuffers = 0;
    std::size_t liveTextures = 0;
    std::size_t shapes = 0;
    std::size_t soundSources = 0;
    std::size_t soundBuffers = 0;
    std::size_t memory = 0;
};

class SoakTest : public ::testing::Test {
protected:
    GameHarness& game = GameHarness::Get();
    GameLoop& flow = GameLoop::GetInstance();
    GameWorld& world = GameWorld::GetInstance();
    int steps = 0;

    Snapshot Take() {
        Snapshot s;
        for (GameObject* object : world.GetObjects())
            if (object->name != "Pickup")
                ++s.objectsButPickups;
        s.objects = world.GetObjects().size();
        s.pointLights = world.GetPointLights().size();
        s.bodies = world.GetPhysicsWorld()->BodyCount();
        s.bursts = ParticleRegistry::GetInstance().Count();
        // Names are not reused, so count the live ones below the next name to be handed out.
        GLuint next = 0;
        glGenBuffers(1, &next);
        glDeleteBuffers(1, &next);
        for (GLuint name = 1; name < next; ++name)
            s.liveBuffers += glIsBuffer(name) == GL_TRUE ? 1 : 0;
        glGenTextures(1, &next);
        glDeleteTextures(1, &next);
        for (GLuint name = 1; name < next; ++name)
            s.liveTextures += glIsTexture(name) == GL_TRUE ? 1 : 0;
        s.shapes = world.GetPhysicsCommon().ShapeCount();
        // OpenAL hands out small names too; probe well past the pool and the nine sounds.
        for (ALuint name = 1; name < 1024; ++name) {
            s.soundSources += alIsSource(name) == AL_TRUE ? 1 : 0;
            s.soundBuffers += alIsBuffer(name) == AL_TRUE ? 1 : 0;
        }
        s.memory = AllocatedBytes();
        return s;
    }

    std::vector<BasicEnemy*> Enemies() {
        std::vector<BasicEnemy*> enemies;
        for (GameObject* object : world.GetObjects())
            if (auto* enemy = dynamic_cast<BasicEnemy*>(object))
                enemies.push_back(enemy);
        return enemies;
    }

    /// One step of play: a shot now and then, a kill now and then, a frame drawn now and then.
    void Play() {
        game.StepOnce();
        ++steps;
        if (steps % 20 == 0) {
            Camera::GetInstance().yaw = static_cast<float>(steps % 628) * 0.01f;
            Camera::GetInstance().pitch = -0.2f;
            game.Press(Action::Shoot);
        }
        if (steps % 90 == 0) {
            std::vector<BasicEnemy*> enemies = Enemies();
            if (!enemies.empty())
                enemies.front()->TakeDamage(100.0f);
        }
        if (steps % 30 == 0)
            game.DrawOnly(0.5f);
    }

    /// Plays until the game flow has begun the next game (the start step sets the full clock).
    void PlayUntilNextGame(int limit) {
        for (int i = 0; i < limit; ++i) {
            Play();
            if (flow.timeRemaining == flow.gameDuration)
                return;
        }
        FAIL() << "no new game began within " << limit << " steps";
    }
};

TEST_F(SoakTest, ConsecutiveGamesReturnToTheSameSteadyState) {
    const char* requested = std::getenv("KORVANE_SOAK_GAMES");
    const int games = requested != nullptr ? std::max(4, std::atoi(requested)) : 20;
    ConsoleCapture console;
    AudioService& audio = AudioService::GetInstance();
    ASSERT_TRUE(audio.IsAvailable()) << "the soak runs OpenAL Soft on its null output";
    std::uint64_t soundsBefore = 0;
    for (std::size_t i = 0; i < AudioService::kSoundCount; ++i)
        soundsBefore += audio.LastRequest(static_cast<Sound>(i)).count;
    game.StartGame();
    std::vector<Snapshot> starts{Take()};

    for (int i = 0; i < games; ++i) {
        switch (i % 3) {
        case 0: // a win: the clock runs out a little after the first wave
            flow.timeRemaining = 21.0f;
            PlayUntilNextGame(60 * 30);
            break;
        case 1: // a fall out of the arena, after the first wave
            for (int s = 0; s < 60 * 21; ++s)
                Play();
            game.Player().SetPosition(Vector3(0.0f, -35.0f, 0.0f));
            PlayUntilNextGame(10);
            break;
        default: // worn down by contact, with an enemy kept on the player
            for (int s = 0; s < 60 * 21; ++s)
                Play();
            game.Player().health = 10;
            for (int s = 0; s < 600 && flow.timeRemaining != flow.gameDuration; ++s) {
                std::vector<BasicEnemy*> enemies = Enemies();
                ASSERT_FALSE(enemies.empty()) << "the first wave should have arrived";
                enemies.back()->SetPosition(game.Player().GetPosition());
                Play();
            }
            ASSERT_EQ(flow.timeRemaining, flow.gameDuration) << "the touching enemy did not kill the player";
            break;
        }
        if (HasFatalFailure())
            return;
        console.Clear();
        starts.push_back(Take());
        const Snapshot& now = starts.back();
        SCOPED_TRACE("game " + std::to_string(i + 1));
        // The player, the level and the gun besides the pickups.
        EXPECT_EQ(now.objectsButPickups, 3u);
        EXPECT_EQ(now.pointLights, 5u) << "two level lights and the three new pickups'";
        EXPECT_EQ(now.bodies, now.objects) << "every body belongs to a live object";
        EXPECT_LE(now.bursts, 40u);
        // One level mesh, and one sphere per pickup (the gun and the player add none or one).
        EXPECT_EQ(now.shapes, now.objects - now.objectsButPickups + 2u) << "collision shapes are piling up";
        EXPECT_EQ(now.soundSources, AudioService::kMaxSources) << "the sound pool is fixed";
        EXPECT_EQ(now.soundBuffers, AudioService::kSoundCount) << "one buffer per sound, loaded once";
    }

    // Names and memory settle after the first games warm the caches; from then on, flat.
    const Snapshot& settled = starts[3];
    const Snapshot& last = starts.back();
    EXPECT_LE(last.liveBuffers, settled.liveBuffers + 16) << "GL buffers are piling up";
    EXPECT_LE(last.liveTextures, settled.liveTextures + 16) << "GL textures are piling up";
    EXPECT_LE(last.memory, settled.memory + 8u * 1024u * 1024u) << "memory keeps growing from game to game";
    std::uint64_t soundsAfter = 0;
    for (std::size_t i = 0; i < AudioService::kSoundCount; ++i)
        soundsAfter += audio.LastRequest(static_cast<Sound>(i)).count;
    // Far more sounds than sources went through the pool, so it was reused, never grown.
    EXPECT_GT(soundsAfter - soundsBefore, 10u * AudioService::kMaxSources);
}

} // namespace
