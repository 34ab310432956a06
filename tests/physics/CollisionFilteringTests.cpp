#include "PhysicsTestWorld.h"

namespace physics_test {
namespace {

using CollisionFiltering = PhysicsTestWorld;
using CollisionFilteringAdrift = ZeroGravityWorld;

TEST_F(CollisionFiltering, EnemiesAndPlayerRestOnTheLevel) {
    AddFloor();
    RigidBody* enemy = AddEnemy(Vector3(0, 4, 0));
    RigidBody* player = AddPlayer(Vector3(5, 3, 0));
    Simulate(3.0f);
    // The solid sphere (radius 1) and the capsule (reaching 1 below its centre) stand on the mesh;
    // the larger trigger sphere does not hold the enemy up.
    EXPECT_NEAR(Position(enemy).y(), 1.0f, 0.05f);
    EXPECT_NEAR(Position(player).y(), 1.0f, 0.05f);
}

TEST_F(CollisionFiltering, TriggersAndColliderlessBodiesFallThroughTheLevel) {
    AddFloor();
    RigidBody* triggerOnly = AddBody(Vector3(0, 3, 0));
    AddSphere(triggerOnly, 1.1f, true, kSphereCategory, kTriggerMask);
    RigidBody* bare = AddBody(Vector3(5, 3, 0));
    Simulate(2.0f);
    EXPECT_LT(Position(triggerOnly).y(), -10.0f);
    EXPECT_LT(Position(bare).y(), -10.0f);
}

TEST_F(CollisionFiltering, EnemySpheresCollideWithEachOther) {
    AddFloor();
    RigidBody* left = AddEnemy(Vector3(-3, 1, 0));
    RigidBody* right = AddEnemy(Vector3(3, 1, 0));
    left->SetLinearVelocity(Vector3(6, 0, 0));
    right->SetLinearVelocity(Vector3(-6, 0, 0));
    float closest = 10.0f;
    for (int i = 0; i < 90; ++i) {
        StepOnce();
        closest = std::min(closest, Position(right).x() - Position(left).x());
    }
    // Without the collision they would have crossed after half a second.
    EXPECT_GT(closest, 1.9f);
    EXPECT_LT(closest, 2.2f);
}

TEST_F(CollisionFilteringAdrift, PlayerCannotWalkThroughAnEnemyButThroughAPickup) {
    RigidBody* enemy = AddEnemy(Vector3(0, 0, 0));
    AddPickup(Vector3(0, 0, 10));
    RigidBody* againstEnemy = AddPlayer(Vector3(-4, 0, 0));
    RigidBody* throughPickup = AddPlayer(Vector3(0, 0, 6));
    againstEnemy->SetLinearVelocity(Vector3(8, 0, 0));
    throughPickup->SetLinearVelocity(Vector3(0, 0, 8));
    Simulate(1.0f);
    EXPECT_LT(Position(againstEnemy).x(), Position(enemy).x()) << "the player passed through the enemy";
    EXPECT_GT(Position(enemy).x(), 0.5f) << "the enemy was not pushed";
    EXPECT_GT(Position(throughPickup).z(), 13.0f) << "the pickup's trigger held the player back";
}

TEST_F(CollisionFilteringAdrift, PickupReportsThePlayerButNotAnEnemy) {
    // Everything overlaps everything here; only the pairs of a trigger with the player count.
    RigidBody* pickup = AddPickup(Vector3(0, 0, 0));
    RigidBody* player = AddPlayer(Vector3(0.5f, 0, 0));
    RigidBody* enemy = AddEnemy(Vector3(-0.5f, 0, 0));
    StepOnce();
    const Collider* capsule = player->GetColliders()[0].get();
    ASSERT_EQ(listener.reports.size(), 1u);
    const std::vector<OverlapPair>& pairs = listener.reports[0];
    ASSERT_EQ(pairs.size(), 2u);
    for (const Collider* trigger : {pickup->GetColliders()[0].get(), enemy->GetColliders()[0].get()})
        EXPECT_TRUE(Names(pairs[0], trigger, capsule) || Names(pairs[1], trigger, capsule));
}

TEST_F(CollisionFiltering, CollidersOfOneBodyNeverMeetEachOther) {
    // Default filters admit everything, yet a trigger on a body is not touched by its own sphere.
    RigidBody* body = AddBody(Vector3(0, 0, 0), BodyType::Static);
    AddSphere(body, 1.1f, true, 1, 0xFFFF);
    AddSphere(body, 1.0f, false, 1, 0xFFFF);
    StepOnce();
    EXPECT_TRUE(listener.reports.empty());
}

} // namespace
} // namespace physics_test
