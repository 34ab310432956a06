#include "PhysicsTestWorld.h"

namespace physics_test {
namespace {

using RigidBodies = PhysicsTestWorld;
using RigidBodiesAdrift = ZeroGravityWorld;

TEST_F(RigidBodiesAdrift, ForceMovesAOneKilogramBody) {
    RigidBody* body = AddBody(Vector3(0, 0, 0));
    AddSphere(body, 1.0f, false, 1, 0xFFFF);
    body->ApplyWorldForceAtCenterOfMass(Vector3(60, 0, 0));
    StepOnce();
    EXPECT_NEAR(body->GetLinearVelocity().x(), 1.0f, 1e-4f) << "F dt / m with m = 1";
    StepOnce();
    EXPECT_NEAR(body->GetLinearVelocity().x(), 1.0f, 1e-4f) << "a force lasts for one step only";
}

TEST_F(RigidBodiesAdrift, LocalForceFollowsTheBodyRotation) {
    RigidBody* body =
        world->CreateRigidBody(MakeTransform(Vector3(0, 0, 0), Quaternion(Vector3(0, 1, 0), SIMD_HALF_PI)));
    body->ApplyLocalForceAtCenterOfMass(Vector3(0, 0, 60));
    StepOnce();
    // A quarter turn about Y carries local +Z onto world +X.
    EXPECT_NEAR(body->GetLinearVelocity().x(), 1.0f, 1e-4f);
    EXPECT_NEAR(body->GetLinearVelocity().z(), 0.0f, 1e-4f);
}

TEST_F(RigidBodies, SleepingBodyWakesForForceVelocityAndMove) {
    // An upright capsule slides to rest on the default friction, where a ball would roll on.
    AddFloor();
    RigidBody* block = AddBody(Vector3(0, 1, 0));
    block->SetAngularLockAxisFactor(Vector3(0, 0, 0));
    block->AddCollider(common.CreateCapsuleShape(0.5f, 1.0f), Transform::getIdentity());
    ASSERT_TRUE(SleepWithin(block));
    block->ApplyWorldForceAtCenterOfMass(Vector3(600, 0, 0));
    EXPECT_FALSE(block->IsSleeping());
    StepOnce();
    EXPECT_GT(block->GetLinearVelocity().x(), 5.0f) << "a force on a sleeping body was dropped";

    ASSERT_TRUE(SleepWithin(block));
    block->SetLinearVelocity(Vector3(0, 0, 3));
    StepOnce();
    EXPECT_GT(block->GetLinearVelocity().z(), 2.0f);

    ASSERT_TRUE(SleepWithin(block));
    block->SetTransform(MakeTransform(Vector3(0, 5, 0)));
    Simulate(0.2f);
    EXPECT_LT(Position(block).y(), 4.9f) << "a body lifted while asleep hangs in the air";
}

TEST_F(RigidBodies, StaticSwitchKeepsFiltersAndHoldsBodiesUp) {
    RigidBody* block = AddBody(Vector3(0, 0, 0));
    AddSphere(block, 2.0f, false, 4, 1);
    block->SetType(BodyType::Static);
    block->SetTransform(MakeTransform(Vector3(0, 0, 2.5f)));
    EXPECT_EQ(block->GetColliders()[0]->GetCollisionCategoryBits(), 4);
    RigidBody* admitted = AddBody(Vector3(0, 4, 2.5f));
    AddSphere(admitted, 1.0f, false, 1, 4);
    RigidBody* refused = AddBody(Vector3(0.5f, 8, 2.5f));
    AddSphere(refused, 1.0f, false, 2, 0xFFFF);
    Simulate(1.0f);
    EXPECT_NEAR(Position(block).y(), 0.0f, 1e-6f) << "a static body does not fall";
    EXPECT_NEAR(Position(admitted).y(), 3.0f, 0.05f) << "category 1 is in the block's mask and lands on it";
    EXPECT_LT(Position(refused).y(), -1.0f) << "category 2 is not in the block's mask";
    EXPECT_EQ(CastRay(Vector3(0, 10, 2.5f), Vector3(0, -10, 2.5f), -1.0f, 4).size(), 1u);

    block->SetType(BodyType::Dynamic);
    Simulate(0.5f);
    EXPECT_LT(Position(block).y(), -1.0f) << "back to dynamic, it falls again";
}

TEST_F(RigidBodies, AngularLockKeepsTheBodyUpright) {
    // Capsules dropped off-centre onto a ball tip over unless their rotation is locked.
    RigidBody* ball = AddBody(Vector3(0, 0, 0), BodyType::Static);
    AddSphere(ball, 1.0f, false, kSphereCategory, kEnemySolidMask);
    RigidBody* locked = AddPlayer(Vector3(0.4f, 2.5f, 0));
    RigidBody* free = AddBody(Vector3(0.4f, 2.5f, 0));
    free->AddCollider(common.CreateCapsuleShape(0.5f, 1.0f), Transform::getIdentity())
        ->SetCollisionCategoryBits(1);
    Simulate(1.0f);
    EXPECT_NEAR(locked->GetTransform().getRotation().getAngle(), 0.0f, 1e-4f);
    EXPECT_GT(free->GetTransform().getRotation().getAngle(), 0.1f);
}

TEST_F(RigidBodies, FrictionlessPlayerSlidesWhereDefaultMaterialBrakes) {
    AddFloor();
    RigidBody* player = AddPlayer(Vector3(0, 1, 0));
    RigidBody* rough = AddBody(Vector3(0, 1, 10));
    rough->SetAngularLockAxisFactor(Vector3(0, 0, 0));
    rough->AddCollider(common.CreateCapsuleShape(0.5f, 1.0f), Transform::getIdentity());
    Simulate(0.5f);
    player->SetLinearVelocity(Vector3(5, 0, 0));
    rough->SetLinearVelocity(Vector3(5, 0, 0));
    Simulate(0.5f);
    EXPECT_NEAR(player->GetLinearVelocity().x(), 5.0f, 0.05f);
    // Friction 0.3 against the level's 0.3 decelerates by 0.3 g: 5 - 0.3 * 25 * 0.5 = 1.25.
    EXPECT_NEAR(rough->GetLinearVelocity().x(), 1.25f, 0.3f);
}

TEST_F(RigidBodies, DestroyingASupportWakesWhatRestsOnIt) {
    RigidBody* floor = AddFloor();
    RigidBody* sphere = AddBody(Vector3(0, 1, 0));
    AddSphere(sphere, 1.0f, false, kSphereCategory, kEnemySolidMask);
    ASSERT_TRUE(SleepWithin(sphere));
    world->DestroyRigidBody(floor);
    Simulate(0.5f);
    EXPECT_LT(Position(sphere).y(), 0.0f);
}

} // namespace
} // namespace physics_test
