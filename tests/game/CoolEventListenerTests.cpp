#include "game/BasicEnemy.h"
#include "game/CoolEventListener.h"
#include "game/GameLoop.h"
#include "game/GameObject.h"
#include "game/GameWorld.h"
#include "game/PickupObject.h"
#include "game/PlayerObject.h"
#include "physics/PhysicsCommon.h"
#include "physics/RigidBody.h"
#include "support/ConsoleCapture.h"
#include "support/GameHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

namespace {

using testing_support::ConsoleCapture;
using testing_support::GameHarness;

using Pair = std::pair<Collider*, Collider*>;

OverlapCallbackData Report(std::initializer_list<Pair> pairs) {
    OverlapCallbackData data;
    for (const Pair& pair : pairs)
        data.pairs.push_back(OverlapPair{pair.first, pair.second, OverlapPair::Event::OverlapStay});
    return data;
}

// The listener is fed hand-made reports of real colliders, the way the physics step would
// (a report inside the step, then the step counter), without running the world.
class CoolEventListenerTest : public ::testing::Test {
protected:
    GameHarness& game = GameHarness::Get();
    PlayerObject& player = game.Player();
    CoolEventListener listener{&game.Player(), &game.World()};
    BasicEnemy* enemyA = new BasicEnemy(Vector3(30.0f, 5.0f, 30.0f), 0.0f, 100.0f);
    BasicEnemy* enemyB = new BasicEnemy(Vector3(-30.0f, 5.0f, 30.0f), 0.0f, 100.0f);

    Collider* PlayerCapsule() const { return player.colliders.at(0); }
    static Collider* Sensor(GameObject* object) { return object->colliders.at(0); }

    bool InWorld(GameObject* object) const {
        const auto& objects = game.World().GetObjects();
        return std::find(objects.begin(), objects.end(), object) != objects.end();
    }

    // One running step: the report (when touching), then the counter.
    void Step(const OverlapCallbackData* report) {
        if (report != nullptr)
            listener.OnTrigger(*report);
        listener.Update();
    }
};

TEST_F(CoolEventListenerTest, StartsQuietAndHurtsOnlyOnceTheIntervalIsStrictlyExceeded) {
    EXPECT_EQ(listener.damageInterval, 200);
    EXPECT_EQ(listener.ticksSinceDamage, 0);
    const OverlapCallbackData touch = Report({{PlayerCapsule(), Sensor(enemyA)}});

    // A touch in the first step of a game does nothing.
    Step(&touch);
    EXPECT_EQ(player.health, 100);

    for (int i = 1; i < 200; ++i)
        Step(nullptr);
    // 200 steps since the listener was made is not yet more than the interval.
    listener.OnTrigger(touch);
    EXPECT_EQ(player.health, 100);
    listener.Update();

    ConsoleCapture console;
    listener.OnTrigger(touch);
    EXPECT_EQ(player.health, 90);
    EXPECT_EQ(listener.ticksSinceDamage, 0);
    EXPECT_TRUE(console.Contains(" by 10\n"));
}

TEST_F(CoolEventListenerTest, ALeaningEnemyHurtsEvery201Steps) {
    for (int i = 0; i < 201; ++i)
        Step(nullptr);
    const OverlapCallbackData touch = Report({{Sensor(enemyA), PlayerCapsule()}});

    std::vector<int> hitSteps;
    for (int step = 0; step < 600; ++step) {
        const int before = player.health;
        Step(&touch);
        if (player.health != before)
            hitSteps.push_back(step);
    }
    // Ten seconds of contact after a quiet spell: at once, then 201 and 402 steps later.
    EXPECT_EQ(hitSteps, (std::vector<int>{0, 201, 402}));
    EXPECT_EQ(player.health, 70);
}

TEST_F(CoolEventListenerTest, TwoEnemiesInOneStepDealOneHit) {
    listener.ticksSinceDamage = 500;
    listener.OnTrigger(Report({{PlayerCapsule(), Sensor(enemyA)}, {Sensor(enemyB), PlayerCapsule()}}));
    EXPECT_EQ(player.health, 90);
    EXPECT_EQ(listener.ticksSinceDamage, 0);
}

TEST_F(CoolEventListenerTest, PairsWithoutThePlayerOrWithoutAnOwnerAreIgnored) {
    auto* pickup = new PickupObject(Vector3(0.0f, -10.0f, 0.0f));
    GameWorld& world = game.World();
    // A body that belongs to no object, as a body of a vanished object would.
    RigidBody* stray = world.CreateRigidBody(MakeTransform(Vector3(50.0f, 0.0f, 50.0f)));
    Collider* strayCollider =
        stray->AddCollider(world.GetPhysicsCommon().CreateSphereShape(1.0f), Transform::getIdentity());
    listener.ticksSinceDamage = 500;
    player.health = 50;

    listener.OnTrigger(Report({{Sensor(enemyA), Sensor(enemyB)},
                               {Sensor(pickup), Sensor(enemyA)},
                               {nullptr, PlayerCapsule()},
                               {PlayerCapsule(), nullptr},
                               {nullptr, nullptr},
                               {strayCollider, PlayerCapsule()},
                               {PlayerCapsule(), strayCollider}}));
    EXPECT_EQ(player.health, 50);
    EXPECT_EQ(listener.ticksSinceDamage, 500);
    EXPECT_TRUE(InWorld(pickup));
    world.DestroyRigidBody(stray);
}

TEST_F(CoolEventListenerTest, PickupsHealOnEitherSideOfThePairAndAreConsumedPastTheirOwnOverride) {
    auto* first = new PickupObject(Vector3(10.0f, -10.0f, 0.0f));
    auto* second = new PickupObject(Vector3(-10.0f, -10.0f, 0.0f));
    listener.ticksSinceDamage = 500;

    // At full health the pickup is left for later.
    listener.OnTrigger(Report({{Sensor(first), PlayerCapsule()}}));
    EXPECT_EQ(player.health, 100);
    EXPECT_TRUE(InWorld(first));

    player.health = 95;
    ConsoleCapture console;
    listener.OnTrigger(Report({{Sensor(first), PlayerCapsule()}}));
    EXPECT_EQ(player.health, 100);
    EXPECT_FALSE(InWorld(first));
    EXPECT_EQ(console.Text(), "Damage Pickup by 1000\nDestroying Pickup\n");

    player.health = 50;
    listener.OnTrigger(Report({{PlayerCapsule(), Sensor(second)}}));
    EXPECT_EQ(player.health, 60);
    EXPECT_FALSE(InWorld(second));
    // Healing is not contact damage: the damage timer runs on.
    EXPECT_EQ(listener.ticksSinceDamage, 500);
}

TEST_F(CoolEventListenerTest, ContactDamageCanKillThePlayer) {
    listener.ticksSinceDamage = 500;
    player.health = 10;
    ConsoleCapture console;
    listener.OnTrigger(Report({{PlayerCapsule(), Sensor(enemyA)}}));
    EXPECT_EQ(player.health, 0);
    EXPECT_TRUE(console.Contains("Player destroyed\n"));
    GameLoop::GetInstance().ReadEvents();
    EXPECT_TRUE(GameLoop::GetInstance().startPending) << "the game flow heard of the death";
    EXPECT_TRUE(InWorld(&player));
}

// The whole road through the running game: the enemy rolls up, its sensor overlaps the
// player's capsule in the physics step, and the game's own listener deals the damage.
TEST_F(CoolEventListenerTest, AChasingEnemyHurtsThePlayerInARunningGame) {
    game.StartGame();
    game.Simulate(4.0f);
    ASSERT_EQ(player.health, 100);
    const Vector3 p = player.GetPosition();
    // The strongest push a wave gives: a single step of it beats the stop speed, so the ball
    // gets rolling instead of creeping.
    new BasicEnemy(Vector3(p.x() + 6.0f, 1.0f, p.z()), 32.0f, 100.0f);
    ConsoleCapture console;
    for (int step = 0; step < 300 && player.health == 100; ++step)
        game.StepOnce();
    EXPECT_EQ(player.health, 90);
    EXPECT_TRUE(console.Contains("by 10\n"));
}

} // namespace
