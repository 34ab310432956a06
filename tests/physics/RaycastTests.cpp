#include "PhysicsTestWorld.h"

#include <algorithm>

namespace physics_test {
namespace {

using Raycasts = ZeroGravityWorld;

TEST_F(Raycasts, RayStartingInsideASphereOrCapsuleDoesNotReportIt) {
    // The player's ground ray starts inside its own capsule, the shot inside it too.
    RigidBody* player = AddPlayer(Vector3(0, 1, 0));
    RigidBody* sphere = AddBody(Vector3(10, 1, 0));
    AddSphere(sphere, 1.0f, false, 1, 0xFFFF);
    AddFloor();
    const std::vector<RaycastInfo> ground = CastRay(Vector3(0, 1, 0), Vector3(0, -0.2f, 0));
    ASSERT_EQ(ground.size(), 1u);
    EXPECT_EQ(ground[0].body->GetType(), BodyType::Static) << "only the floor below";
    EXPECT_NE(ground[0].body, player);
    const std::vector<RaycastInfo> fromSphere = CastRay(Vector3(10, 1, 0), Vector3(10, 1, 50));
    EXPECT_TRUE(fromSphere.empty());
    // The same sphere is reported to a ray that enters it from outside.
    EXPECT_EQ(CastRay(Vector3(10, 1, -5), Vector3(10, 1, 5)).size(), 1u);
}

TEST_F(Raycasts, ReportCarriesPointNormalFractionColliderAndBody) {
    RigidBody* body = AddBody(Vector3(0, 0, 0));
    // Two solid spheres on one body: the report must name the one that was hit.
    AddSphere(body, 1.0f, false, 1, 0xFFFF, Vector3(-5, 0, 0));
    Collider* right = AddSphere(body, 1.0f, false, 1, 0xFFFF, Vector3(5, 0, 0));
    const std::vector<RaycastInfo> hits = CastRay(Vector3(5, 10, 0), Vector3(5, -10, 0));
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].collider, right);
    EXPECT_EQ(hits[0].body, body);
    EXPECT_NEAR(hits[0].hitFraction, 9.0f / 20.0f, 1e-3f);
    EXPECT_NEAR(hits[0].worldPoint.y(), 1.0f, 1e-3f);
    EXPECT_NEAR(hits[0].worldNormal.y(), 1.0f, 1e-3f);
}

TEST_F(Raycasts, AnswersIgnoreStopOrClip) {
    // Four spheres along +X at fractions 0.2, 0.4, 0.6 and 0.8 of the ray.
    for (float x : {2.0f, 4.0f, 6.0f, 8.0f}) {
        RigidBody* body = AddBody(Vector3(x, 0, 0), BodyType::Static);
        AddSphere(body, 0.5f, false, 1, 0xFFFF);
    }
    const Vector3 from(0, 0, 0), to(10, 0, 0);
    EXPECT_EQ(CastRay(from, to, -1.0f).size(), 4u) << "a negative answer goes on past every collider";
    EXPECT_EQ(CastRay(from, to, 0.0f).size(), 1u) << "zero ends the cast";

    // Clipping to 0.5: after the first report nothing beyond half the ray is reported.
    const std::vector<RaycastInfo> clipped = CastRay(from, to, 0.5f);
    ASSERT_FALSE(clipped.empty());
    for (std::size_t i = 1; i < clipped.size(); ++i)
        EXPECT_LT(clipped[i].hitFraction, 0.5f);
    EXPECT_GE(std::count_if(clipped.begin(), clipped.end(),
                            [](const RaycastInfo& h) { return h.hitFraction < 0.5f; }),
              2);

    // Clipping to each hit's own fraction ends with the nearest collider.
    RayRecorder nearest;
    nearest.answerFor = [](const RaycastInfo& info) { return info.hitFraction; };
    world->Raycast(Ray{from, to}, &nearest);
    ASSERT_FALSE(nearest.hits.empty());
    EXPECT_NEAR(nearest.hits.back().hitFraction, 0.15f, 1e-3f);

    // The ray's own maximum fraction clips it from the start.
    RayRecorder shortRay;
    world->Raycast(Ray{from, to, 0.5f}, &shortRay);
    EXPECT_EQ(shortRay.hits.size(), 2u);
}

TEST_F(Raycasts, CategoryMaskSelectsCollidersTriggersIncluded) {
    AddFloor(-5.0f);
    RigidBody* pickup = AddPickup(Vector3(0, 0, 0));
    RigidBody* mixed = AddBody(Vector3(0, 0, 10), BodyType::Static);
    AddSphere(mixed, 1.0f, false, 4, 0xFFFF, Vector3(0, 0, 0));
    Collider* eight = AddSphere(mixed, 1.0f, false, 8, 0xFFFF, Vector3(0, 0, 5));

    const std::vector<RaycastInfo> level =
        CastRay(Vector3(0, 10, 0), Vector3(0, -10, 0), -1.0f, kLevelCategory);
    ASSERT_EQ(level.size(), 1u);
    EXPECT_EQ(level[0].collider->GetCollisionCategoryBits(), kLevelCategory);
    const std::vector<RaycastInfo> spheres =
        CastRay(Vector3(0, 10, 0), Vector3(0, -10, 0), -1.0f, kSphereCategory);
    ASSERT_EQ(spheres.size(), 1u);
    EXPECT_EQ(spheres[0].collider, pickup->GetColliders()[0].get())
        << "trigger colliders are hit like solid ones";
    // Colliders of one body are told apart by their own category.
    const std::vector<RaycastInfo> only8 = CastRay(Vector3(0, 0, 5), Vector3(0, 0, 20), -1.0f, 8);
    ASSERT_EQ(only8.size(), 1u);
    EXPECT_EQ(only8[0].collider, eight);
}

TEST_F(Raycasts, MovedBodyIsHitAtItsNewPlaceBeforeAnyStep) {
    RigidBody* enemy = AddEnemy(Vector3(0, 0, 0));
    enemy->SetTransform(MakeTransform(Vector3(30, 0, 0)));
    // Both the solid sphere and the trigger sphere around it are found at the new place.
    EXPECT_EQ(CastRay(Vector3(30, 10, 0), Vector3(30, -10, 0)).size(), 2u);
    EXPECT_TRUE(CastRay(Vector3(0, 10, 0), Vector3(0, -10, 0)).empty());
}

} // namespace
} // namespace physics_test
