#include "PhysicsTestWorld.h"

namespace physics_test {
namespace {

using PhysicsWorldStepping = PhysicsTestWorld;

TEST_F(PhysicsWorldStepping, BodiesFallAtTheConfiguredGravity) {
    // A plain game object has no collider at all and still falls; one with a sphere falls alike.
    RigidBody* bare = AddBody(Vector3(0, 100, 0));
    RigidBody* sphere = AddBody(Vector3(10, 100, 0));
    AddSphere(sphere, 1.0f, false, 1, 0xFFFF);
    const int n = 60;
    for (int i = 0; i < n; ++i)
        StepOnce();
    for (RigidBody* body : {bare, sphere}) {
        // v = g t, and the position of n semi-implicit Euler steps.
        EXPECT_NEAR(body->GetLinearVelocity().y(), -25.0f * n * kStep, 1e-3f);
        EXPECT_NEAR(Position(body).y(), 100.0f - 25.0f * kStep * kStep * n * (n + 1) / 2.0f, 1e-3f);
    }
}

TEST_F(PhysicsWorldStepping, OneUpdateIsExactlyOneStepOfThatLength) {
    RigidBody* body = AddBody(Vector3(0, 0, 0));
    world->Update(0.5f);
    // A single step of 0.5 s moves by g dt^2; thirty sub-steps of 1/60 s would move less.
    EXPECT_NEAR(Position(body).y(), -25.0f * 0.25f, 1e-4f);
}

TEST(PhysicsWorldSleeping, RestingBodySleepsAfterOneSecondUnlessSleepingIsOff) {
    PhysicsCommon common;
    WorldSettings noSleep = ZeroGravity();
    noSleep.isSleepingEnabled = false;
    PhysicsWorld* sleepy = common.CreatePhysicsWorld(ZeroGravity());
    PhysicsWorld* awake = common.CreatePhysicsWorld(noSleep);
    RigidBody* a = sleepy->CreateRigidBody(MakeTransform(Vector3(0, 0, 0)));
    RigidBody* b = awake->CreateRigidBody(MakeTransform(Vector3(0, 0, 0)));
    const auto run = [&](int steps) {
        for (int i = 0; i < steps; ++i) {
            sleepy->Update(kStep);
            awake->Update(kStep);
        }
    };
    run(54);
    EXPECT_FALSE(a->IsSleeping()) << "asleep before the time before sleep has passed";
    run(18);
    EXPECT_TRUE(a->IsSleeping());
    run(120);
    EXPECT_FALSE(b->IsSleeping());
}

using CollisionWireframe = PhysicsTestWorld;

TEST_F(CollisionWireframe, LinesExistOnlyWhileTheViewIsOn) {
    RigidBody* body = AddBody(Vector3(5, 0, 0), BodyType::Static);
    AddSphere(body, 1.0f, false, 1, 0xFFFF);
    StepOnce();
    EXPECT_TRUE(world->GetDebugLineVertices().empty());

    world->SetIsDebugRenderingEnabled(true);
    StepOnce();
    const std::vector<Vec3>& lines = world->GetDebugLineVertices();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.size() % 2, 0u) << "two points per segment";
    // Every point of the sphere's wireframe lies on the sphere, in world space.
    for (const Vec3& p : lines)
        EXPECT_NEAR(Length(p - Vec3{5, 0, 0}), 1.0f, 1e-3f);

    world->SetIsDebugRenderingEnabled(false);
    StepOnce();
    EXPECT_TRUE(world->GetDebugLineVertices().empty());
}

TEST_F(CollisionWireframe, MeshShowsEveryTriangleEdge) {
    AddFloor(-2.0f, 10.0f);
    world->SetIsDebugRenderingEnabled(true);
    StepOnce();
    const std::vector<Vec3>& lines = world->GetDebugLineVertices();
    ASSERT_EQ(lines.size(), 2u * 6u) << "two triangles, three edges each";
    for (const Vec3& p : lines) {
        EXPECT_FLOAT_EQ(p.y, -2.0f);
        EXPECT_FLOAT_EQ(std::fabs(p.x), 10.0f);
    }
}

} // namespace
} // namespace physics_test
