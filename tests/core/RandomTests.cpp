#include "core/Random.h"
#include "game/Enemy.h"
#include "game/EnemySpawner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace {

constexpr int kDraws = 200000;

// The game's ranges assume draws of 0..32767, whatever the C library's RAND_MAX is.
TEST(Random, DrawsStayWithinTheGamesRangeAndCoverIt) {
    int lowest = kRandomMax;
    int highest = 0;
    double sum = 0.0;
    for (int i = 0; i < kDraws; ++i) {
        const int draw = Random();
        ASSERT_GE(draw, 0);
        ASSERT_LE(draw, kRandomMax);
        lowest = std::min(lowest, draw);
        highest = std::max(highest, draw);
        sum += draw;
    }
    EXPECT_LT(lowest, 16);
    EXPECT_GT(highest, kRandomMax - 16);
    EXPECT_NEAR(sum / kDraws, kRandomMax / 2.0, 150.0);
}

// The extreme draws bound each range the spawner takes from them.
TEST(Random, SpawnRangesFollowFromTheExtremeDraws) {
    const EnemySpawner spawner(nullptr);
    EXPECT_FLOAT_EQ(spawner.WaveDistance(0), 10.0f);
    EXPECT_NEAR(spawner.WaveDistance(kRandomMax), 20.0f, 1e-4f);
    EXPECT_FLOAT_EQ(EnemySpawner::ChaseForce(0), 27.0f);
    EXPECT_NEAR(EnemySpawner::ChaseForce(kRandomMax), 32.0f, 1e-4f);
    // The angle spans 0..360 and is used as radians, so it wraps the circle many times.
    EXPECT_FLOAT_EQ(EnemySpawner::WaveAngle(0), 0.0f);
    EXPECT_NEAR(EnemySpawner::WaveAngle(kRandomMax), 360.0f, 0.01f);
    EXPECT_EQ(spawner.WaveSize(0), 3);
    EXPECT_EQ(spawner.WaveSize(1), 4);
    EXPECT_EQ(spawner.WaveSize(2), 5);
    EXPECT_EQ(spawner.WaveSize(kRandomMax), 4);
}

// A draw must be strictly above 0.7 of the range to leave a pickup.
TEST(Random, PickupDropThresholdIsStrict) {
    EXPECT_FALSE(Enemy::DropsPickup(0));
    EXPECT_FALSE(Enemy::DropsPickup(22936)); // 0.69997
    EXPECT_TRUE(Enemy::DropsPickup(22937));  // 0.70000
    EXPECT_TRUE(Enemy::DropsPickup(kRandomMax));
}

// Over many draws the game's decisions come out in the proportions its design expects.
TEST(Random, DropsAndWaveSizesComeInTheirProportions) {
    const EnemySpawner spawner(nullptr);
    int drops = 0;
    std::array<int, 3> sizes{};
    for (int i = 0; i < kDraws; ++i) {
        if (Enemy::DropsPickup(Random()))
            ++drops;
        const int size = spawner.WaveSize(Random());
        ASSERT_GE(size, 3);
        ASSERT_LE(size, 5);
        ++sizes[static_cast<std::size_t>(size - 3)];
    }
    EXPECT_NEAR(static_cast<double>(drops) / kDraws, 0.3, 0.01);
    for (int count : sizes)
        EXPECT_NEAR(static_cast<double>(count) / kDraws, 1.0 / 3.0, 0.01);
}

} // namespace
