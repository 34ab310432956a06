#include "PhysicsTestWorld.h"

namespace physics_test {
namespace {

using Event = OverlapPair::Event;
using TriggerReports = ZeroGravityWorld;

TEST_F(TriggerReports, OverlapStartsStaysAndEndsOnce) {
    RigidBody* pickup = AddPickup(Vector3(0, 0, 0));
    RigidBody* player = AddPlayer(Vector3(10, 0, 0));
    StepOnce();
    EXPECT_TRUE(listener.reports.empty()) << "apart: no report at all";

    player->SetTransform(MakeTransform(Vector3(1, 0, 0)));
    StepOnce();
    StepOnce();
    // Just clear of the sphere: Bullet keeps the nearly touching pair, but it no longer overlaps.
    player->SetTransform(MakeTransform(Vector3(1.1f + 0.5f + 0.01f, 0, 0)));
    StepOnce();
    StepOnce();
    ASSERT_EQ(listener.reports.size(), 3u);
    const Collider* trigger = pickup->GetColliders()[0].get();
    const Collider* capsule = player->GetColliders()[0].get();
    const Event expected[] = {Event::OverlapStart, Event::OverlapStay, Event::OverlapExit};
    for (std::size_t i = 0; i < 3; ++i) {
        ASSERT_EQ(listener.reports[i].size(), 1u);
        EXPECT_TRUE(Names(listener.reports[i][0], trigger, capsule));
        EXPECT_EQ(listener.reports[i][0].event, expected[i]) << "report " << i;
    }
}

TEST_F(TriggerReports, OverlapsComeBeforeTheOverlapsThatEnded) {
    RigidBody* near = AddPickup(Vector3(0, 0, 0));
    RigidBody* far = AddPickup(Vector3(2, 0, 0));
    RigidBody* player = AddPlayer(Vector3(1, 0, 0));
    StepOnce();
    ASSERT_EQ(listener.reports.at(0).size(), 2u);
    player->SetTransform(MakeTransform(Vector3(-0.5f, 0, 0)));
    StepOnce();
    const std::vector<OverlapPair>& pairs = listener.reports.at(1);
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_TRUE(Names(pairs[0], near->GetColliders()[0].get(), player->GetColliders()[0].get()));
    EXPECT_EQ(pairs[0].event, Event::OverlapStay);
    EXPECT_TRUE(Names(pairs[1], far->GetColliders()[0].get(), player->GetColliders()[0].get()));
    EXPECT_EQ(pairs[1].event, Event::OverlapExit);
}

TEST_F(TriggerReports, MovingTriggerFollowsItsBody) {
    // The enemy drifts into the resting player; its trigger must travel with it.
    RigidBody* enemy = AddEnemy(Vector3(-6, 0, 0));
    AddPlayer(Vector3(0, 0, 0));
    enemy->SetLinearVelocity(Vector3(6, 0, 0));
    Simulate(0.5f);
    EXPECT_TRUE(listener.reports.empty()) << "the trigger reached the player too early";
    Simulate(0.5f);
    EXPECT_FALSE(listener.reports.empty());
}

using TriggerReportsOnTheLevel = PhysicsTestWorld;

TEST_F(TriggerReportsOnTheLevel, SleepingPlayerIsSeenByAPickupAppearingAroundIt) {
    // A pickup dropped onto a player who stands still (and so sleeps) must still be collected.
    AddFloor();
    RigidBody* player = AddPlayer(Vector3(0, 1.05f, 0));
    ASSERT_TRUE(SleepWithin(player));
    AddPickup(Vector3(0, 1, 0));
    StepOnce();
    ASSERT_EQ(listener.reports.size(), 1u);
    EXPECT_EQ(listener.reports[0].at(0).event, Event::OverlapStart);
    StepOnce();
    ASSERT_EQ(listener.reports.size(), 2u);
    EXPECT_EQ(listener.reports[1].at(0).event, Event::OverlapStay);
}

TEST_F(TriggerReports, SolidContactsAreNotReported) {
    // Two enemies pressed together: their solid spheres touch, their triggers admit only players.
    AddEnemy(Vector3(0, 0, 0));
    AddEnemy(Vector3(1.5f, 0, 0));
    Simulate(0.5f);
    EXPECT_TRUE(listener.reports.empty());
}

TEST_F(TriggerReports, BodyDestroyedByTheListenerIsNotTouchedAgain) {
    // Two players in one pickup: consuming it on the first pair leaves the second pair nulled.
    RigidBody* pickup = AddPickup(Vector3(0, 0, 0));
    AddPlayer(Vector3(0.5f, 0, 0));
    AddPlayer(Vector3(-0.5f, 0, 0));
    int seen = 0;
    listener.onReport = [&](const OverlapCallbackData& data) {
        for (std::size_t i = 0; i < data.GetNbOverlappingPairs(); ++i) {
            const OverlapPair& pair = data.GetOverlappingPair(i);
            if (pair.collider1 == nullptr || pair.collider2 == nullptr)
                continue;
            ++seen;
            world->DestroyRigidBody(pickup);
        }
    };
    StepOnce();
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(world->BodyCount(), 2u);
    ASSERT_EQ(listener.reports.size(), 1u);
    ASSERT_EQ(listener.reports[0].size(), 2u);
    EXPECT_EQ(listener.reports[0][1].collider1, nullptr);
    EXPECT_EQ(listener.reports[0][1].collider2, nullptr);
    // The ended overlaps of a destroyed body are not reported either: its colliders are gone.
    Simulate(0.1f);
    EXPECT_EQ(listener.reports.size(), 1u);
}

} // namespace
} // namespace physics_test
