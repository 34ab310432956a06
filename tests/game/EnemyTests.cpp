#include "core/Random.h"
#include "game/BasicEnemy.h"
#include "game/Enemy.h"
#include "game/GameObject.h"
#include "game/GameWorld.h"
#include "game/PlayerObject.h"
#include "physics/Collider.h"
#include "physics/PhysicsCommon.h"
#include "physics/RigidBody.h"
#include "render/Materials.h"
#include "render/ModelHandler.h"
#include "render/ParticleRegistry.h"
#include "render/ParticleSystem.h"
#include "render/Texture.h"
#include "support/ConsoleCapture.h"
#include "support/GameHarness.h"

#include <BulletCollision/CollisionShapes/btSphereShape.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

using testing_support::ConsoleCapture;
using testing_support::GameHarness;

constexpr int kBurstDraws = 2 * ParticleSystem::kParticleCount;

void ExpectVectorNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.x(), expected.x(), tolerance);
    EXPECT_NEAR(actual.y(), expected.y(), tolerance);
    EXPECT_NEAR(actual.z(), expected.z(), tolerance);
}

int CountOccurrences(const std::string& text, const std::string& what) {
    int count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++count;
    return count;
}

class EnemyTest : public ::testing::Test {
protected:
    GameHarness& game = GameHarness::Get();
    GameWorld& world = game.World();

    // The force gathered for the coming physics step.
    static Vector3 PendingForce(const GameObject* object) {
        return object->body->GetBulletBody()->getTotalForce();
    }

    bool InWorld(const GameObject* object) const {
        const auto& objects = world.GetObjects();
        return std::find(objects.begin(), objects.end(), object) != objects.end();
    }

    int PickupCount() const {
        const auto& objects = world.GetObjects();
        return static_cast<int>(
            std::count_if(objects.begin(), objects.end(), [](GameObject* o) { return o->name == "Pickup"; }));
    }
};

TEST_F(EnemyTest, NamesFollowTheWorldsCounterAfterTheEnemyWasCounted) {
    const std::uint64_t n = world.GetObjectCounter();
    auto* basic = new BasicEnemy(Vector3(0.0f, 5.0f, 0.0f), 30.0f, 57.9f);
    EXPECT_EQ(world.GetObjectCounter(), n + 1);
    EXPECT_EQ(basic->name, "BasicEnemy" + std::to_string(n + 1));
    // Health is truncated to whole points; the maximum stays where it was.
    EXPECT_EQ(basic->health, 57);
    EXPECT_EQ(basic->maxHealth, 100);
    EXPECT_EQ(basic->target, static_cast<GameObject*>(&game.Player()));
    EXPECT_EQ(basic->brakingForce, 20.0f);

    auto* plain = new Enemy();
    EXPECT_EQ(plain->name, "Enemy" + std::to_string(n + 2));
}

TEST_F(EnemyTest, IsADynamicBallWithASensorForThePlayerAndASolidBody) {
    const Vector3 at(4.0f, 20.0f, -6.5f);
    auto* enemy = new BasicEnemy(at, 28.5f, 100.0f);
    EXPECT_EQ(enemy->chaseForce, 28.5f);
    EXPECT_EQ(enemy->body->GetType(), BodyType::Dynamic);
    EXPECT_EQ(enemy->GetPosition(), at);
    EXPECT_EQ(enemy->body->GetTransform().getRotation(), Quaternion::getIdentity());
    EXPECT_EQ(enemy->model, ModelHandler::GetInstance().GetModel("assets/models/1ball.obj"));
    // Seen from close by it is the full ball; from ten units on, the coarse one of the same size.
    const Mesh* coarse = ModelHandler::GetInstance().GetModel("assets/models/1ball_far.obj");
    EXPECT_EQ(enemy->MeshSeenFrom({4.0f, 20.0f, -3.0f}), enemy->model);
    EXPECT_EQ(enemy->MeshSeenFrom({4.0f, 20.0f, 3.4f}), enemy->model);
    EXPECT_EQ(enemy->MeshSeenFrom({4.0f, 20.0f, 3.5f}), coarse);
    EXPECT_EQ(enemy->MeshSeenFrom({-40.0f, 0.0f, 0.0f}), coarse);
    auto* skin = dynamic_cast<BasicMaterial*>(enemy->material.get());
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->diffuseTexture, GradientTexture::GetInstance().handle);

    ASSERT_EQ(enemy->colliders.size(), 2u);
    const Collider* sensor = enemy->colliders[0];
    const Collider* ball = enemy->colliders[1];
    EXPECT_TRUE(sensor->IsTrigger());
    EXPECT_EQ(sensor->GetCollisionCategoryBits(), 0x0002);
    EXPECT_EQ(sensor->GetCollideWithMaskBits(), 0x0001);
    EXPECT_FALSE(ball->IsTrigger());
    EXPECT_EQ(ball->GetCollisionCategoryBits(), 0x0002);
    EXPECT_EQ(ball->GetCollideWithMaskBits(), 0x0017);
    ASSERT_EQ(sensor->GetShape()->GetKind(), CollisionShape::Kind::Sphere);
    ASSERT_EQ(ball->GetShape()->GetKind(), CollisionShape::Kind::Sphere);
    EXPECT_FLOAT_EQ(static_cast<btSphereShape*>(sensor->GetShape()->GetBulletShape())->getRadius(), 1.1f);
    EXPECT_FLOAT_EQ(static_cast<btSphereShape*>(ball->GetShape()->GetBulletShape())->getRadius(), 1.0f);
}

TEST_F(EnemyTest, ChasesAlongTheGroundWithASmallUpwardShare) {
    game.Player().SetPosition(Vector3(2.0f, 3.0f, -1.0f));
    // 3 east and 4 south of the player, well above it: the height difference is not used.
    auto* aside = new BasicEnemy(Vector3(5.0f, 8.0f, 3.0f), 30.0f, 100.0f);
    aside->Update(1.0f / 60.0f);
    ExpectVectorNear(PendingForce(aside), Vector3(-3.0f, 0.5f, -4.0f) * (30.0f / std::sqrt(25.25f)));

    // Right above the player only the upward share is left, at full strength.
    auto* above = new BasicEnemy(Vector3(2.0f, 10.0f, -1.0f), 27.0f, 100.0f);
    above->Update(1.0f / 60.0f);
    ExpectVectorNear(PendingForce(above), Vector3(0.0f, 27.0f, 0.0f));
}

TEST_F(EnemyTest, BrakesHorizontalMotionFromHalfAUnitPerSecondAndStopsSlowerDrift) {
    // On the player's vertical line, so the chase force is (0, 30, 0) in every case.
    game.Player().SetPosition(Vector3(0.0f, 3.0f, 0.0f));
    const Vector3 chase(0.0f, 30.0f, 0.0f);
    auto makeMoving = [](const Vector3& velocity) {
        auto* enemy = new BasicEnemy(Vector3(0.0f, 10.0f, 0.0f), 30.0f, 100.0f);
        enemy->body->SetLinearVelocity(velocity);
        enemy->Update(1.0f / 60.0f);
        return enemy;
    };

    // Slow drift is stopped outright; the fall goes on and the chase force still acts.
    BasicEnemy* slow = makeMoving(Vector3(0.3f, -2.0f, 0.2f));
    ExpectVectorNear(slow->body->GetLinearVelocity(), Vector3(0.0f, -2.0f, 0.0f));
    ExpectVectorNear(PendingForce(slow), chase);

    // From exactly 0.5 on, a force of 20 brakes against the horizontal motion.
    BasicEnemy* edge = makeMoving(Vector3(0.5f, 0.0f, 0.0f));
    ExpectVectorNear(edge->body->GetLinearVelocity(), Vector3(0.5f, 0.0f, 0.0f));
    ExpectVectorNear(PendingForce(edge), chase + Vector3(-20.0f, 0.0f, 0.0f));

    BasicEnemy* fast = makeMoving(Vector3(3.0f, -2.0f, 4.0f));
    ExpectVectorNear(fast->body->GetLinearVelocity(), Vector3(3.0f, -2.0f, 4.0f));
    ExpectVectorNear(PendingForce(fast), chase + Vector3(-12.0f, 0.0f, -16.0f));
}

// Finds a seed whose first draw and whose draw after a burst fall on different sides of the
// drop threshold, so a pickup roll taken before the burst would show.
unsigned SeedWhereTheDrawAfterABurst(bool drops) {
    for (unsigned seed = 1;; ++seed) {
        std::srand(seed);
        const bool first = Enemy::DropsPickup(Random());
        for (int i = 1; i < kBurstDraws; ++i)
            Random();
        const bool afterBurst = Enemy::DropsPickup(Random());
        if (afterBurst == drops && first != drops)
            return seed;
    }
}

// The value the sequence of `seed` gives after `skip` draws.
int DrawAfter(unsigned seed, int skip) {
    std::srand(seed);
    for (int i = 0; i < skip; ++i)
        Random();
    return Random();
}

TEST_F(EnemyTest, DeathLeavesABurstThenRollsOnceForAPickup) {
    ParticleRegistry& particles = ParticleRegistry::GetInstance();
    for (bool drops : {true, false}) {
        SCOPED_TRACE(drops ? "a death that drops" : "a death that does not");
        const unsigned seed = SeedWhereTheDrawAfterABurst(drops);
        const Vector3 at(7.0f, 2.5f, -3.0f);
        auto* enemy = new BasicEnemy(at, 30.0f, 100.0f);
        const std::string name = enemy->name;
        const std::size_t burstsBefore = particles.Count();
        const int pickupsBefore = PickupCount();

        std::srand(seed);
        ConsoleCapture console;
        enemy->Destroy();

        EXPECT_EQ(particles.Count(), burstsBefore + 1);
        EXPECT_FALSE(InWorld(enemy));
        EXPECT_TRUE(console.Contains("Destroying " + name + "\n"));
        EXPECT_EQ(console.Contains("spawned health pickup\n"), drops);
        EXPECT_EQ(PickupCount(), pickupsBefore + (drops ? 1 : 0));
        if (drops) {
            EXPECT_EQ(world.GetObjects().back()->GetPosition(), at) << "the pickup lies where the enemy died";
        }
        // The burst's draws and one for the roll, nothing more.
        const int next = Random();
        EXPECT_EQ(next, DrawAfter(seed, kBurstDraws + 1));
    }
    std::srand(1);
}

TEST_F(EnemyTest, AboutThreeDeathsInTenLeaveAPickup) {
    constexpr int kDeaths = 1000;
    ConsoleCapture console;
    for (int i = 0; i < kDeaths; ++i) {
        auto* enemy = new BasicEnemy(Vector3(0.0f, -20.0f, 0.0f), 30.0f, 100.0f);
        // Killed the way shots kill: through the damage rule.
        enemy->TakeDamage(100.0f);
        if (i % 50 == 49) {
            // Keep the world and the particle buffers small as the deaths pile up.
            ParticleRegistry::GetInstance().Clear();
            const std::vector<GameObject*> objects = world.GetObjects();
            for (GameObject* object : objects)
                if (object->name == "Pickup")
                    object->Destroy();
        }
    }
    const int drops = CountOccurrences(console.Text(), "spawned health pickup\n");
    EXPECT_GE(drops, 250);
    EXPECT_LE(drops, 350);
    EXPECT_EQ(CountOccurrences(console.Text(), "Destroying BasicEnemy"), kDeaths);
}

} // namespace
