#include "game/BasicEnemy.h"
#include "game/GameLoop.h"
#include "game/GameObject.h"
#include "game/GameWorld.h"
#include "game/PickupObject.h"
#include "game/PlayerObject.h"
#include "physics/PhysicsWorld.h"
#include "physics/RigidBody.h"
#include "render/ParticleRegistry.h"
#include "support/ConsoleCapture.h"
#include "support/GameHarness.h"
#include "ui/TextHandler.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

using testing_support::ConsoleCapture;
using testing_support::GameHarness;

class GameLoopTest : public ::testing::Test {
protected:
    GameHarness& game = GameHarness::Get();
    GameLoop& flow = GameLoop::GetInstance();
    TextHandler& text = TextHandler::GetInstance();

    bool HasEntry(const std::string& key) const { return text.Entries().count(key) == 1; }
    std::string EntryText(const std::string& key) const { return text.Entries().at(key).text; }
    Vector3 PlayerPosition() { return game.Player().GetPosition(); }
};

TEST_F(GameLoopTest, StartScreenHoldsThePlayerWithoutALevel) {
    EXPECT_TRUE(HasEntry("header"));
    EXPECT_EQ(EntryText("header"), "korvane");
    EXPECT_EQ(EntryText("start"), "Press Space to Start");
    ASSERT_EQ(text.Blocks().count("controls"), 1u);
    EXPECT_EQ(text.Blocks().at("controls").lines.size(), 7u);
    EXPECT_EQ(text.Blocks().at("controls").lines.front(), "Objective: Survive 5 minutes");
    EXPECT_FALSE(text.IsCrosshairVisible());

    game.Simulate(2.0f);
    // The player hangs at the start point: no level to stand on, no gravity taking it.
    const Vector3 p = PlayerPosition();
    EXPECT_FLOAT_EQ(p.x(), 0.0f);
    EXPECT_FLOAT_EQ(p.y(), 3.0f);
    EXPECT_FLOAT_EQ(p.z(), 0.0f);
    EXPECT_EQ(game.World().GetObjects().size(), 1u);
    EXPECT_FALSE(HasEntry("counter"));
}

TEST_F(GameLoopTest, SpaceStartsAGameThatShowsTheHudFromItsFirstRunningStep) {
    game.Press(Action::Start);
    EXPECT_FALSE(HasEntry("header"));
    EXPECT_FALSE(HasEntry("start"));
    EXPECT_EQ(text.Blocks().count("controls"), 0u);
    EXPECT_TRUE(text.IsCrosshairVisible());

    game.StepOnce();
    // Level, gun and three pickups join the player; two level lights and one per pickup.
    EXPECT_EQ(game.World().GetObjects().size(), 6u);
    EXPECT_EQ(game.World().GetPointLights().size(), 5u);
    EXPECT_FALSE(HasEntry("counter")) << "the start step refreshes no readout";

    game.StepOnce();
    EXPECT_EQ(EntryText("counter"), "4:59");
    EXPECT_EQ(EntryText("health"), "100/100");
    ASSERT_EQ(text.Blocks().count("weapon"), 1u);
    EXPECT_EQ(text.Blocks().at("weapon").lines.front(), "BonkeyGun");
}

TEST_F(GameLoopTest, ANewGameRenamesItsObjectsFromOne) {
    game.StartGame();
    const auto& objects = game.World().GetObjects();
    ASSERT_GE(objects.size(), 3u);
    EXPECT_EQ(objects[1]->name, "GameObject1") << "the level is the first object of a game";
    EXPECT_EQ(objects[2]->name, "GameObject2") << "then the gun";
    EXPECT_EQ(objects[3]->name, "Pickup");
}

TEST_F(GameLoopTest, LaterSpacePressesOnlyJump) {
    game.StartGame();
    game.Simulate(1.0f);
    const float before = flow.timeRemaining;
    game.Press(Action::Start);
    game.StepOnce();
    EXPECT_FALSE(flow.startPending);
    EXPECT_LT(flow.timeRemaining, before) << "the game went on instead of restarting";
}

TEST_F(GameLoopTest, SurvivingTheClockWinsAndStartsTheNextGameFiveSecondsLater) {
    game.StartGame();
    // Float steps of 1/60 leave a sliver of the last second: the win comes a step after it.
    flow.timeRemaining = 1.0f;
    game.Simulate(1.0f);
    EXPECT_FALSE(HasEntry("win"));
    game.StepOnce();
    ASSERT_TRUE(HasEntry("win"));
    EXPECT_EQ(EntryText("win"), "You Win");
    EXPECT_TRUE(HasEntry("winSummary"));
    EXPECT_EQ(EntryText("counter"), "0:00");

    // The game goes on under the message; the counter stays at 0:00.
    game.Simulate(4.95f);
    EXPECT_TRUE(HasEntry("win"));
    EXPECT_EQ(EntryText("counter"), "0:00");
    game.Simulate(0.1f);
    EXPECT_FALSE(HasEntry("win"));
    EXPECT_FALSE(HasEntry("winSummary")) << "the summary goes with its message";
    EXPECT_GT(flow.timeRemaining, 299.0f) << "a new game has begun";
}

TEST_F(GameLoopTest, FallingOutKillsAndTheDeathMessageRunsIntoTheNextGame) {
    game.StartGame();
    game.Simulate(1.0f);
    ConsoleCapture console;
    game.Player().SetPosition(Vector3(40.0f, -30.5f, 0.0f));
    game.StepOnce();
    EXPECT_TRUE(console.Contains("Player destroyed\n"));
    ASSERT_TRUE(HasEntry("death"));
    EXPECT_EQ(EntryText("death"), "You Died");
    EXPECT_TRUE(HasEntry("deathSummary"));
    // The death starts the next game within the same step.
    EXPECT_FALSE(flow.startPending);
    EXPECT_FLOAT_EQ(flow.timeRemaining, 300.0f);
    EXPECT_EQ(game.Player().health, 100);
    EXPECT_NEAR(PlayerPosition().y(), 3.0f, 0.1f);

    game.Simulate(4.9f);
    EXPECT_TRUE(HasEntry("death"));
    game.Simulate(0.2f);
    EXPECT_FALSE(HasEntry("death"));
    EXPECT_FALSE(HasEntry("deathSummary")) << "the summary goes with its message";
}

TEST_F(GameLoopTest, DyingWhileYouWinShowsStartsAGameThatTheWinDoesNotThrowAway) {
    game.StartGame();
    flow.timeRemaining = 0.5f;
    game.Simulate(1.0f);
    ASSERT_TRUE(HasEntry("win"));

    game.Player().health = 10;
    game.Player().TakeDamage(10.0f);
    game.StepOnce();
    EXPECT_FALSE(HasEntry("win")) << "the new game cancels the pending win restart";
    EXPECT_FALSE(HasEntry("winSummary")) << "the death's summary does not sit on the win's";
    EXPECT_EQ(flow.winMessageTimer, 0.0f);

    game.Simulate(6.0f);
    EXPECT_NEAR(flow.timeRemaining, 294.0f, 0.1f) << "the game that followed the death is still running";
}

TEST_F(GameLoopTest, EveryGameStartRebuildsTheLevelAndReleasesThePrevious) {
    game.StartGame();
    const std::size_t bodies = game.World().GetPhysicsWorld()->BodyCount();
    flow.OnPlayerDeath(false);
    ConsoleCapture console;
    game.StepOnce();
    EXPECT_TRUE(console.Contains("Destroying GameObject1\n"));
    EXPECT_EQ(game.World().GetObjects().size(), 6u);
    EXPECT_EQ(game.World().GetPointLights().size(), 5u);
    // The old level, gun and pickups took their bodies with them.
    EXPECT_EQ(game.World().GetPhysicsWorld()->BodyCount(), bodies);
    EXPECT_FALSE(HasEntry("death")) << "a death without message shows none";
}

TEST_F(GameLoopTest, EnemiesClearedByANewGameLeaveItNoPickups) {
    game.StartGame();
    constexpr int kEnemies = 20;
    for (int i = 0; i < kEnemies; ++i)
        new BasicEnemy(Vector3(-40.0f + 4.0f * static_cast<float>(i), 10.0f, -40.0f), 27.0f, 100.0f);
    const std::size_t bursts = ParticleRegistry::GetInstance().Count();
    flow.OnPlayerDeath(false);
    ConsoleCapture console;
    game.StepOnce();
    // Each of them still dies with its burst, but out of twenty pickup rolls none may leave an
    // orb in the new game: the three new pickups are all there is, each with its light.
    EXPECT_EQ(ParticleRegistry::GetInstance().Count(), bursts + kEnemies);
    EXPECT_FALSE(console.Contains("spawned health pickup"));
    std::size_t pickups = 0;
    for (const GameObject* object : game.World().GetObjects())
        pickups += object->name == PickupObject::kName ? 1u : 0u;
    EXPECT_EQ(pickups, 3u);
    EXPECT_EQ(game.World().GetPointLights().size(), 5u);
}

} // namespace

// The records hear of every game that ends, won or lost, once, with its length and kills.
TEST_F(GameLoopTest, EveryEndedGameIsReportedOnceWithItsLengthAndKills) {
    std::vector<std::pair<float, int>> ended;
    flow.SetGameEndListener([&ended](float seconds, int kills) { ended.emplace_back(seconds, kills); });
    game.StartGame();
    game.Simulate(2.0f);
    flow.OnEnemyKilled();
    flow.OnEnemyKilled();
    ConsoleCapture console;
    game.Player().SetPosition(Vector3(40.0f, -30.5f, 0.0f));
    game.StepOnce();
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_NEAR(ended[0].first, 2.0f, 0.05f);
    EXPECT_EQ(ended[0].second, 2);

    // A win, then a death while "You Win" shows: one game, one report.
    flow.timeRemaining = 0.5f;
    flow.OnEnemyKilled();
    game.Simulate(1.0f);
    ASSERT_TRUE(HasEntry("win"));
    game.Player().health = 10;
    game.Player().TakeDamage(10.0f);
    game.StepOnce();
    flow.SetGameEndListener(nullptr);
    ASSERT_EQ(ended.size(), 2u);
    EXPECT_FLOAT_EQ(ended[1].first, flow.gameDuration);
    EXPECT_EQ(ended[1].second, 1);
}
