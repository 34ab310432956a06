// What a game sounds like, checked through the sound service's record of what it was asked to
// play: each event of play asks for its own sound, from where it happened.

#include "PlayScenario.h"
#include "audio/AudioService.h"
#include "game/BasicEnemy.h"
#include "game/CoolEventListener.h"
#include "game/EnemySpawner.h"
#include "support/ConsoleCapture.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

using testing_support::ConsoleCapture;

constexpr std::size_t kSounds = AudioService::kSoundCount;

class GameSoundsTest : public testing_support::PlayScenario {
protected:
    AudioService& audio = AudioService::GetInstance();
    GameLoop& flow = GameLoop::GetInstance();
    std::array<std::uint64_t, kSounds> before{};

    void Mark() {
        for (std::size_t i = 0; i < kSounds; ++i)
            before[i] = audio.LastRequest(static_cast<Sound>(i)).count;
    }
    /// Requests since the last Mark, per sound; every sound not named in `expected` must be 0.
    void ExpectOnly(std::initializer_list<std::pair<Sound, std::uint64_t>> expected, const char* event) {
        std::array<std::uint64_t, kSounds> wanted{};
        for (const auto& [sound, count] : expected)
            wanted[static_cast<std::size_t>(sound)] = count;
        for (std::size_t i = 0; i < kSounds; ++i)
            EXPECT_EQ(audio.LastRequest(static_cast<Sound>(i)).count - before[i], wanted[i])
                << event << ": " << AudioService::FileName(static_cast<Sound>(i));
        Mark();
    }
    void ExpectAt(Sound sound, const Vec3& where, float tolerance) {
        const AudioService::Request& request = audio.LastRequest(sound);
        EXPECT_TRUE(request.positional) << AudioService::FileName(sound);
        EXPECT_NEAR(request.position.x, where.x, tolerance) << AudioService::FileName(sound);
        EXPECT_NEAR(request.position.y, where.y, tolerance) << AudioService::FileName(sound);
        EXPECT_NEAR(request.position.z, where.z, tolerance) << AudioService::FileName(sound);
    }
};

TEST_F(GameSoundsTest, ShotsHitsKillsPickupsContactsAndWavesAreHeardWhereTheyHappen) {
    ASSERT_TRUE(audio.IsAvailable()) << "the tests run OpenAL Soft on its null output";
    // Hanging 12 units above the floor at (0, -5), looking straight down.
    PlaceAt(Vector3(0.0f, kFloorHeight + 11.2f, -5.0f));
    Look(0.0f, -Camera::kPitchLimit);
    Step();
    Mark();

    game.Press(Action::Shoot);
    game.Present();
    ExpectOnly({{Sound::Shot, 1}}, "a shot at the floor");
    ExpectAt(Sound::Shot, camera.GetPosition(), 1e-4f);
    EXPECT_EQ(audio.PlayingCount(Sound::Shot), 1) << "the shot really plays";

    auto* enemy = new BasicEnemy(Vector3(0.0f, kFloorHeight + 4.0f, -5.0f), 0.0f, 100.0f);
    game.Press(Action::Shoot);
    game.Present();
    ExpectOnly({{Sound::Shot, 1}, {Sound::ShotHit, 1}}, "a shot into an enemy");
    // The ray comes straight down onto the top of the ball (its sensor sits a little outside).
    ExpectAt(Sound::ShotHit, {0.0f, kFloorHeight + 5.0f, -5.0f}, 0.15f);
    for (int shot = 0; shot < 4; ++shot)
        game.Press(Action::Shoot);
    game.Present();
    ASSERT_FALSE(InWorld(enemy));
    ExpectOnly({{Sound::Shot, 4}, {Sound::ShotHit, 4}, {Sound::EnemyDeath, 1}}, "four more shots, the kill");
    ExpectAt(Sound::EnemyDeath, {0.0f, kFloorHeight + 4.0f, -5.0f}, 1e-3f);
    EXPECT_EQ(audio.PlayingCount(Sound::EnemyDeath), 1);

    // Hurt, on the east pickup: healed once, heard at the pickup.
    player.health = 50;
    StandAt(15.0f, 0.0f);
    ExpectOnly({{Sound::PickupUsed, 1}}, "a pickup used");
    ExpectAt(Sound::PickupUsed, {15.0f, 0.0f, 0.0f}, 1e-4f);

    // An enemy on the player once the contact interval has passed: heard from the enemy's side.
    flow.GetListener()->ticksSinceDamage = flow.GetListener()->damageInterval + 1;
    const Vector3 p = player.GetPosition();
    auto* toucher = new BasicEnemy(Vector3(p.x() + 1.0f, p.y(), p.z()), 0.0f, 100.0f);
    for (int step = 0; step < 10 && player.health == 60; ++step)
        Step();
    ASSERT_EQ(player.health, 50);
    ExpectOnly({{Sound::ContactDamage, 1}}, "contact damage");
    ExpectAt(Sound::ContactDamage, ToVec3(toucher->GetPosition()), 0.5f);

    // The wave is heard where it lands, high above the arena.
    flow.GetSpawner()->spawnTimer = 0.0f;
    ConsoleCapture console;
    Step();
    float x = 0.0f;
    float z = 0.0f;
    ASSERT_EQ(std::sscanf(console.Text().c_str(), "Spawning enemy at %f, %f", &x, &z), 2) << console.Text();
    ExpectOnly({{Sound::WaveArrival, 1}}, "a wave");
    ExpectAt(Sound::WaveArrival, {x, EnemySpawner::kSpawnHeight, z}, 1e-3f);
}

TEST_F(GameSoundsTest, StartWinAndDeathAreHeardOnceAroundThePlayer) {
    Mark();
    new BasicEnemy(Vector3(5.0f, 1.0f, 5.0f), 0.0f, 100.0f);
    flow.startPending = true;
    Step();
    // The enemy cleared away by the new game is no kill: no death burst is heard.
    ExpectOnly({{Sound::GameStart, 1}}, "a new game");
    EXPECT_FALSE(audio.LastRequest(Sound::GameStart).positional);

    flow.timeRemaining = 0.01f;
    Step();
    Step();
    ExpectOnly({{Sound::Win, 1}}, "the clock running out");
    EXPECT_FALSE(audio.LastRequest(Sound::Win).positional);
    EXPECT_EQ(audio.PlayingCount(Sound::Win), 1);

    // Two reports of one death before the next game starts are one sound.
    ConsoleCapture console;
    player.Destroy();
    player.Destroy();
    game.Present();
    ExpectOnly({{Sound::Death, 1}}, "a death reported twice");
    EXPECT_FALSE(audio.LastRequest(Sound::Death).positional);
    Step();
    ExpectOnly({{Sound::GameStart, 1}}, "the game after the death");
}

} // namespace
