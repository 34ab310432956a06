// The game time a frame hands to the world: at most a second, less when steps run slower than
// real time, and one console line for each run of frames that drop time.
#include "app/GameTimeBudget.h"

#include <gtest/gtest.h>

namespace {

constexpr float kStep = 1.0f / 60.0f;

} // namespace

TEST(GameTimeBudget, ALongFrameSimulatesOneSecondAndDropsTheRestOncePerRun) {
    GameTimeBudget budget(kStep);
    // Half a second is caught up in full: 30 steps.
    GameTimeBudget::Grant grant = budget.Next(0.5f);
    EXPECT_FLOAT_EQ(grant.dt, 0.5f);
    EXPECT_FLOAT_EQ(grant.dropped, 0.0f);
    EXPECT_FALSE(grant.firstOfRun);

    // Stopped five seconds: one second is played, four are gone, and that is said once.
    grant = budget.Next(5.0f);
    EXPECT_FLOAT_EQ(grant.dt, 1.0f);
    EXPECT_FLOAT_EQ(grant.dropped, 4.0f);
    EXPECT_TRUE(grant.firstOfRun);
    EXPECT_EQ(DroppedTimeLine(5.0f, grant), "Dropped 4.00 s of game time after a frame of 5.00 s");
    EXPECT_FALSE(budget.Next(3.0f).firstOfRun) << "the same stall, still dropping";
    EXPECT_FALSE(budget.Next(kStep).firstOfRun);
    EXPECT_TRUE(budget.Next(60.0f).firstOfRun) << "a new stall is a new occurrence";
    EXPECT_FLOAT_EQ(budget.Next(-1.0f).dt, 0.0f) << "a clock stepping back simulates nothing";
}

TEST(GameTimeBudget, StepsSlowerThanRealTimeGetAQuarterSecondOfThemButNeverNone) {
    GameTimeBudget budget(kStep);
    // Steps of 0.1 s: two of them fit a quarter of a second.
    budget.RecordSteps(10, 1.0);
    GameTimeBudget::Grant grant = budget.Next(1.2f);
    EXPECT_FLOAT_EQ(grant.dt, 2 * kStep);
    EXPECT_TRUE(grant.slowSteps);
    EXPECT_TRUE(grant.firstOfRun);
    EXPECT_EQ(DroppedTimeLine(1.2f, grant),
              "Dropped 1.17 s of game time after a frame of 1.20 s (steps take longer than real time)");
    // A frame shorter than that bound loses nothing, and frames that ran no step change nothing.
    budget.RecordSteps(0, 0.0);
    grant = budget.Next(kStep);
    EXPECT_FLOAT_EQ(grant.dt, kStep);
    EXPECT_FALSE(grant.slowSteps);

    // Two-second steps: still one a frame, so the game moves.
    budget.RecordSteps(1, 2.0);
    EXPECT_FLOAT_EQ(budget.Next(2.0f).dt, kStep);
    // Fast again: back to the one-second bound, a 0.9 s frame caught up in full.
    budget.RecordSteps(1, 0.001);
    EXPECT_FLOAT_EQ(budget.Next(0.9f).dt, 0.9f);
}

TEST(GameTimeBudget, StepsRunAreReadOffTheAccumulator) {
    const GameTimeBudget budget(kStep);
    EXPECT_EQ(budget.StepsRun(0.0f, 0.01f, 0.01f), 0);
    EXPECT_EQ(budget.StepsRun(0.01f, 0.01f, 0.02f - kStep), 1);
    EXPECT_EQ(budget.StepsRun(0.005f, 1.0f, 0.005f), 60);
}
