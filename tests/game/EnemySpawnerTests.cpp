#include "core/Random.h"
#include "game/BasicEnemy.h"
#include "game/EnemySpawner.h"
#include "game/GameObject.h"
#include "game/GameWorld.h"
#include "game/PlayerObject.h"
#include "support/ConsoleCapture.h"
#include "support/GameHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testing_support::ConsoleCapture;
using testing_support::GameHarness;

constexpr float kStep = 1.0f / 60.0f;
// Longer than any interval: the next Update sends a wave at once.
constexpr float kLongWait = 1000.0f;

struct SpawnLine {
    float x;
    float z;
};

std::vector<SpawnLine> SpawnLines(const std::string& text) {
    std::vector<SpawnLine> lines;
    std::istringstream in(text);
    const std::string prefix = "Spawning enemy at ";
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(prefix, 0) != 0)
            continue;
        std::istringstream numbers(line.substr(prefix.size()));
        SpawnLine spawn{};
        char comma = 0;
        numbers >> spawn.x >> comma >> spawn.z;
        lines.push_back(spawn);
    }
    return lines;
}

// The spawner is driven on its own, as the game flow drives it, around the harness's player;
// the world is not stepped, so the enemies stay where they were made.
class EnemySpawnerTest : public ::testing::Test {
protected:
    GameHarness& game = GameHarness::Get();
    GameWorld& world = game.World();
    // Below the spawn height on purpose: waves always come in at y = 20.
    const Vector3 playerAt{4.0f, -6.0f, -3.0f};
    EnemySpawner spawner{&game.Player()};

    void SetUp() override { game.Player().SetPosition(playerAt); }

    // Runs `update` and returns the enemies it added to the world, in order.
    template <typename F> std::vector<BasicEnemy*> NewEnemies(F&& update) {
        const std::size_t before = world.GetObjects().size();
        update();
        std::vector<BasicEnemy*> enemies;
        const auto& objects = world.GetObjects();
        for (std::size_t i = before; i < objects.size(); ++i)
            if (auto* enemy = dynamic_cast<BasicEnemy*>(objects[i]))
                enemies.push_back(enemy);
        return enemies;
    }

    std::vector<BasicEnemy*> Wave() {
        return NewEnemies([&] { spawner.Update(kLongWait); });
    }
};

TEST_F(EnemySpawnerTest, TheFirstWaveComesOnceTwentySecondsOfStepsHaveRunOut) {
    ConsoleCapture console;
    // 1200 steps of the float 1/60 leave about 1.3e-4 s on the timer (each step rounds a
    // little), so the wave comes on the step after: 20.017 s of game time.
    const auto early = NewEnemies([&] {
        for (int i = 0; i < 1200; ++i)
            spawner.Update(kStep);
    });
    EXPECT_TRUE(early.empty());
    EXPECT_FALSE(console.Contains("Spawning enemy at"));
    EXPECT_GT(spawner.spawnTimer, 0.0f);
    EXPECT_LT(spawner.spawnTimer, 0.001f);

    const auto wave = NewEnemies([&] { spawner.Update(kStep); });
    EXPECT_GE(wave.size(), 3u);
    // The next wave is a whole 20 s away; the one after 19.9 s.
    EXPECT_EQ(spawner.spawnTimer, 20.0f);
    EXPECT_FLOAT_EQ(spawner.spawnInterval, 19.9f);
}

TEST_F(EnemySpawnerTest, WavesOfThreeToFiveStandOnADiagonalTenToTwentyFromThePlayer) {
    std::set<std::size_t> sizes;
    for (int wave = 0; wave < 60; ++wave) {
        SCOPED_TRACE("wave " + std::to_string(wave));
        spawner.spawnedCount = 0;
        ConsoleCapture console;
        const std::vector<BasicEnemy*> enemies = Wave();
        ASSERT_GE(enemies.size(), 3u);
        ASSERT_LE(enemies.size(), 5u);
        sizes.insert(enemies.size());

        const Vector3 base = enemies[0]->GetPosition();
        const float distance = std::hypot(base.x() - playerAt.x(), base.z() - playerAt.z());
        EXPECT_GE(distance, 10.0f - 1e-3f);
        EXPECT_LE(distance, 20.0f + 1e-3f);

        // One line per enemy, every one naming the wave's base point.
        const std::vector<SpawnLine> lines = SpawnLines(console.Text());
        ASSERT_EQ(lines.size(), enemies.size());
        for (std::size_t i = 0; i < enemies.size(); ++i) {
            const Vector3 p = enemies[i]->GetPosition();
            const double offset = 1.5 * static_cast<double>(i);
            EXPECT_EQ(p.x(), static_cast<float>(base.x() + offset));
            EXPECT_EQ(p.y(), 20.0f);
            EXPECT_EQ(p.z(), static_cast<float>(base.z() + offset));
            EXPECT_NEAR(lines[i].x, base.x(), 1e-4f * std::max(1.0f, std::fabs(base.x())));
            EXPECT_NEAR(lines[i].z, base.z(), 1e-4f * std::max(1.0f, std::fabs(base.z())));
            EXPECT_GE(enemies[i]->chaseForce, 27.0f);
            EXPECT_LE(enemies[i]->chaseForce, 32.0f);
            EXPECT_EQ(enemies[i]->health, 100);
        }
    }
    EXPECT_EQ(sizes, (std::set<std::size_t>{3, 4, 5}));
}

TEST_F(EnemySpawnerTest, DrawsAngleDistanceAndSizeOncePerWaveThenAForcePerEnemy) {
    constexpr unsigned kSeed = 7;
    std::srand(kSeed);
    const float angle = EnemySpawner::WaveAngle(Random());
    const float distance = spawner.WaveDistance(Random());
    const int size = spawner.WaveSize(Random());
    std::vector<float> forces;
    for (int i = 0; i < size; ++i)
        forces.push_back(EnemySpawner::ChaseForce(Random()));

    std::srand(kSeed);
    const std::vector<BasicEnemy*> enemies = Wave();
    std::srand(1);
    ASSERT_EQ(enemies.size(), static_cast<std::size_t>(size));
    // The angle goes to cos and sin as it is, in radians.
    const Vector3 base = enemies[0]->GetPosition();
    EXPECT_NEAR(base.x(), playerAt.x() + std::cos(angle) * distance, 1e-4f);
    EXPECT_NEAR(base.z(), playerAt.z() + std::sin(angle) * distance, 1e-4f);
    for (int i = 0; i < size; ++i)
        EXPECT_EQ(enemies[static_cast<std::size_t>(i)]->chaseForce, forces[static_cast<std::size_t>(i)]);
}

TEST_F(EnemySpawnerTest, TheEnemyCapCutsAWaveShortButEveryWaveSendsOne) {
    spawner.spawnedCount = 98;
    EXPECT_EQ(Wave().size(), 2u);
    EXPECT_EQ(spawner.spawnedCount, 100);
    // A cut wave still winds the timer up and shortens the interval.
    EXPECT_EQ(spawner.spawnTimer, 20.0f);
    EXPECT_FLOAT_EQ(spawner.spawnInterval, 19.9f);

    ConsoleCapture console;
    // The cap is only checked after a creation, so a wave at the cap still sends one.
    EXPECT_EQ(Wave().size(), 1u);
    EXPECT_EQ(spawner.spawnedCount, 101);
    EXPECT_EQ(SpawnLines(console.Text()).size(), 1u);

    spawner.spawnedCount = 150;
    EXPECT_EQ(Wave().size(), 1u);
    EXPECT_EQ(spawner.spawnedCount, 151);
}

TEST_F(EnemySpawnerTest, IntervalsShrinkByATenthDownToThreeSeconds) {
    spawner.spawnedCount = spawner.maxEnemies;
    for (int wave = 1; wave <= 175; ++wave) {
        const float before = spawner.spawnInterval;
        Wave();
        ASSERT_EQ(spawner.spawnTimer, before) << "wave " << wave;
        ASSERT_GE(spawner.spawnInterval, 3.0f) << "wave " << wave;
        if (wave < 170)
            ASSERT_GT(spawner.spawnInterval, 3.0f) << "wave " << wave;
        else
            ASSERT_EQ(spawner.spawnInterval, 3.0f) << "wave " << wave;
    }
}

TEST_F(EnemySpawnerTest, AFullGameSeesFifteenWaves) {
    std::vector<int> waveSteps;
    for (int step = 1; step <= 300 * 60; ++step) {
        const std::int32_t before = spawner.spawnedCount;
        spawner.Update(kStep);
        if (spawner.spawnedCount != before)
            waveSteps.push_back(step);
    }
    ASSERT_EQ(waveSteps.size(), 15u);
    EXPECT_NEAR(waveSteps.front() / 60.0, 20.0, 0.05);
    EXPECT_NEAR(waveSteps.back() / 60.0, 291.2, 0.1);
    // 20 s to the second wave, then each gap a tenth of a second shorter.
    for (std::size_t i = 1; i < waveSteps.size(); ++i) {
        const double gap = (waveSteps[i] - waveSteps[i - 1]) / 60.0;
        EXPECT_NEAR(gap, 20.0 - 0.1 * static_cast<double>(i - 1), 0.05) << "gap before wave " << i + 1;
    }
    EXPECT_GE(spawner.spawnedCount, 45);
    EXPECT_LE(spawner.spawnedCount, 75);
}

} // namespace
