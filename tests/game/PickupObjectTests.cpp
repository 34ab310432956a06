#include "game/GameObject.h"
#include "game/GameWorld.h"
#include "game/PickupObject.h"
#include "game/PlayerObject.h"
#include "physics/Collider.h"
#include "physics/PhysicsCommon.h"
#include "physics/RigidBody.h"
#include "render/Lights.h"
#include "render/Materials.h"
#include "render/ModelHandler.h"
#include "support/ConsoleCapture.h"
#include "support/GameHarness.h"

#include <BulletCollision/CollisionShapes/btSphereShape.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using testing_support::ConsoleCapture;
using testing_support::GameHarness;

// The game places one of its three pickups here; the floor's top is at y = 0.
const Vector3 kEastPickup(15.0f, 0.0f, 0.0f);
// Where the player's capsule rests on the floor right over that pickup.
const Vector3 kStandingOnEastPickup(15.0f, 1.0f, 0.0f);

class PickupObjectTest : public ::testing::Test {
protected:
    GameHarness& game = GameHarness::Get();

    int PickupCount() const {
        const auto& objects = game.World().GetObjects();
        return static_cast<int>(
            std::count_if(objects.begin(), objects.end(), [](GameObject* o) { return o->name == "Pickup"; }));
    }

    bool LightAt(const Vector3& p) const {
        const auto& lights = game.World().GetPointLights();
        return std::any_of(lights.begin(), lights.end(),
                           [&](PointLight* l) { return l->position == ToVec3(p); });
    }

    // A running game, its player standing still inside the east pickup's sphere.
    void StandInEastPickup() {
        game.StartGame();
        game.Simulate(1.0f);
        PlayerObject& player = game.Player();
        player.SetPosition(kStandingOnEastPickup);
        player.body->SetLinearVelocity(Vector3(0.0f, 0.0f, 0.0f));
    }
};

TEST_F(PickupObjectTest, IsAStaticGlowingTriggerSphereThatOnlyThePlayerSetsOff) {
    GameWorld& world = game.World();
    const Vector3 at(3.0f, -2.0f, 7.0f);
    const std::size_t lightsBefore = world.GetPointLights().size();
    auto* pickup = new PickupObject(at);

    EXPECT_EQ(pickup->name, "Pickup");
    EXPECT_EQ(pickup->model, ModelHandler::GetInstance().GetModel("assets/models/sphere.obj"));
    EXPECT_NE(dynamic_cast<AnimatedMaterial*>(pickup->material.get()), nullptr);
    EXPECT_EQ(pickup->body->GetType(), BodyType::Static);
    EXPECT_EQ(pickup->GetPosition(), at);
    EXPECT_EQ(pickup->health, 100);
    EXPECT_EQ(pickup->maxHealth, 100);

    ASSERT_EQ(pickup->colliders.size(), 1u);
    const Collider* sphere = pickup->colliders[0];
    EXPECT_TRUE(sphere->IsTrigger());
    EXPECT_EQ(sphere->GetCollisionCategoryBits(), 0x0002);
    EXPECT_EQ(sphere->GetCollideWithMaskBits(), 0x0001);
    ASSERT_EQ(sphere->GetShape()->GetKind(), CollisionShape::Kind::Sphere);
    EXPECT_FLOAT_EQ(static_cast<btSphereShape*>(sphere->GetShape()->GetBulletShape())->getRadius(), 1.1f);

    // Its green light shines from where it stands, through the world's light list.
    ASSERT_EQ(pickup->pointLights.size(), 1u);
    const PointLight* light = pickup->pointLights[0];
    EXPECT_EQ(world.GetPointLights().size(), lightsBefore + 1);
    EXPECT_EQ(world.GetPointLights().back(), light);
    EXPECT_EQ(light->color, (Vec3{0.0f, 1.0f, 0.0f}));
    EXPECT_EQ(light->position, ToVec3(at));
    EXPECT_EQ(light->attenuation, (Vec3{1.0f, 0.03f, 0.001f}));
}

TEST_F(PickupObjectTest, AShotOnlySaysItHit) {
    auto* pickup = new PickupObject(Vector3(-4.0f, 0.0f, 2.0f));
    ConsoleCapture console;
    pickup->TakeDamage(20.0f);
    EXPECT_EQ(console.Text(), "pickup hit\n");
    EXPECT_EQ(pickup->health, 100);
    const auto& objects = game.World().GetObjects();
    EXPECT_NE(std::find(objects.begin(), objects.end(), pickup), objects.end());
}

TEST_F(PickupObjectTest, AtFullHealthThePlayerWalksThroughUntilHurt) {
    StandInEastPickup();
    ASSERT_EQ(PickupCount(), 3);
    ConsoleCapture console;
    game.Simulate(1.0f);
    // Standing in it at 100 of 100 changes nothing: the pickup stays and keeps glowing.
    EXPECT_EQ(game.Player().health, 100);
    EXPECT_EQ(PickupCount(), 3);
    EXPECT_TRUE(LightAt(kEastPickup));
    EXPECT_FALSE(console.Contains("Damage Pickup"));

    // Hurt while still inside, the player is healed on the next step.
    game.Player().health = 90;
    game.StepOnce();
    EXPECT_EQ(game.Player().health, 100);
    EXPECT_EQ(PickupCount(), 2);
}

TEST_F(PickupObjectTest, HealingNeverGoesAboveTheMaximumAndConsumesThePickupWithItsLight) {
    StandInEastPickup();
    const std::size_t lightsBefore = game.World().GetPointLights().size();
    game.Player().health = 92;
    ConsoleCapture console;
    game.StepOnce();
    EXPECT_EQ(game.Player().health, 100);
    EXPECT_TRUE(console.Contains("Damage Pickup by 1000\nDestroying Pickup\n"));
    EXPECT_FALSE(console.Contains("pickup hit"));
    EXPECT_EQ(PickupCount(), 2);
    // The consumed pickup's light stops lighting the scene with it.
    EXPECT_EQ(game.World().GetPointLights().size(), lightsBefore - 1);
    EXPECT_FALSE(LightAt(kEastPickup));
}

TEST_F(PickupObjectTest, APickupHealsTenOnlyOnce) {
    StandInEastPickup();
    game.Player().health = 50;
    game.Simulate(1.0f);
    EXPECT_EQ(game.Player().health, 60);
    EXPECT_EQ(PickupCount(), 2);
}

} // namespace
