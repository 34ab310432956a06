#include "PhysicsTestWorld.h"

namespace physics_test {
namespace {

using CollisionShapes = ZeroGravityWorld;

TEST_F(CollisionShapes, MeshKeepsItsOwnCopyOfTheTriangles) {
    std::vector<Vec3> positions{{-5, 0, -5}, {5, 0, -5}, {5, 0, 5}, {-5, 0, 5}};
    std::vector<std::uint32_t> indices{0, 2, 1, 0, 3, 2};
    RigidBody* level = AddBody(Vector3(0, 0, 0), BodyType::Static);
    level->AddCollider(common.CreateConcaveMeshShape(positions, indices), Transform::getIdentity());
    positions.assign(4, Vec3{100, 100, 100});
    indices.clear();
    // Straight through the shared diagonal: one mesh is one collider, reported once.
    const std::vector<RaycastInfo> floor = CastRay(Vector3(1, 2, 1), Vector3(1, -2, 1));
    ASSERT_EQ(floor.size(), 1u);
    EXPECT_NEAR(floor[0].worldPoint.y(), 0.0f, 1e-4f);
    EXPECT_NEAR(floor[0].hitFraction, 0.5f, 1e-4f);
}

TEST_F(CollisionShapes, MeshIsReportedOnceAtItsNearestTriangle) {
    // A box-like room: a ray through it crosses the floor and the ceiling of the same mesh.
    CollisionShape* room = common.CreateConcaveMeshShape(
        {{-5, 0, -5}, {5, 0, -5}, {5, 0, 5}, {-5, 0, 5}, {-5, 4, -5}, {5, 4, -5}, {5, 4, 5}, {-5, 4, 5}},
        {0, 2, 1, 0, 3, 2, 4, 5, 6, 4, 6, 7});
    AddBody(Vector3(0, 0, 0), BodyType::Static)->AddCollider(room, Transform::getIdentity());
    const std::vector<RaycastInfo> down = CastRay(Vector3(1, 10, 2), Vector3(1, -10, 2));
    ASSERT_EQ(down.size(), 1u);
    EXPECT_NEAR(down[0].worldPoint.y(), 4.0f, 1e-4f) << "from above the ceiling is nearer";
    const std::vector<RaycastInfo> up = CastRay(Vector3(1, -10, 2), Vector3(1, 10, 2));
    ASSERT_EQ(up.size(), 1u);
    EXPECT_NEAR(up[0].worldPoint.y(), 0.0f, 1e-4f) << "from below the floor is nearer";
}

TEST_F(CollisionShapes, MeshWithoutTrianglesMeetsNothing) {
    RigidBody* level = AddBody(Vector3(0, 0, 0), BodyType::Static);
    level->AddCollider(common.CreateConcaveMeshShape({}, {}), Transform::getIdentity());
    RigidBody* ball = AddBody(Vector3(0, 0, 0));
    AddSphere(ball, 1.0f, false, 1, 0xFFFF);
    ball->SetLinearVelocity(Vector3(0, -5, 0));
    StepOnce();
    EXPECT_LT(ball->GetLinearVelocity().y(), -4.9f);
    EXPECT_EQ(CastRay(Vector3(3, 5, 0), Vector3(3, -5, 0)).size(), 0u);
}

TEST_F(CollisionShapes, CapsuleHeightIsTheStraightPartAlongY) {
    RigidBody* player = AddPlayer(Vector3(0, 0, 0));
    // Radius 0.5 and height 1 reach 1 above the centre and 0.5 to the side.
    const std::vector<RaycastInfo> top = CastRay(Vector3(0, 5, 0), Vector3(0, 0, 0));
    ASSERT_EQ(top.size(), 1u);
    EXPECT_EQ(top[0].body, player);
    EXPECT_NEAR(top[0].worldPoint.y(), 1.0f, 1e-3f);
    const std::vector<RaycastInfo> side = CastRay(Vector3(5, 0.4f, 0), Vector3(0, 0.4f, 0));
    ASSERT_EQ(side.size(), 1u);
    EXPECT_NEAR(side[0].worldPoint.x(), 0.5f, 1e-3f);
}

TEST(PhysicsCommonOwnership, ShapesOutliveTheWorldsThatUsedThem) {
    PhysicsCommon common;
    CollisionShape* sphere = common.CreateSphereShape(1.0f);
    PhysicsWorld* first = common.CreatePhysicsWorld(WorldSettings{});
    RigidBody* body = first->CreateRigidBody(MakeTransform(Vector3(0, 0, 0)));
    body->AddCollider(sphere, Transform::getIdentity())->SetIsTrigger(true);
    body->AddCollider(common.CreateCapsuleShape(0.5f, 1.0f), Transform::getIdentity());
    common.DestroyPhysicsWorld(first);
    EXPECT_EQ(common.ShapeCount(), 2u);
    // The shape is still whole and usable by a second world; whatever is left at the end is
    // released with the factory (checked by the sanitizer build's leak detection).
    PhysicsWorld* second = common.CreatePhysicsWorld(WorldSettings{});
    second->CreateRigidBody(MakeTransform(Vector3(0, 0, 0)))->AddCollider(sphere, Transform::getIdentity());
    second->Update(kStep);
    EXPECT_EQ(second->BodyCount(), 1u);
}

} // namespace
} // namespace physics_test
