#include "core/Action.h"
#include "game/CollisionCategories.h"
#include "game/GameLoop.h"
#include "game/GameObject.h"
#include "game/GameWorld.h"
#include "game/PlayerObject.h"
#include "physics/PhysicsWorld.h"
#include "physics/RigidBody.h"
#include "render/Lights.h"
#include "render/ShaderHandler.h"
#include "support/ConsoleCapture.h"
#include "support/GameHarness.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using testing_support::ConsoleCapture;
using testing_support::GameHarness;

/// An object of the world that counts its updates and can add another object while it dies.
struct CountingObject : GameObject {
    // Static, so that it does not fall out of the world while a test counts.
    CountingObject() { body->SetType(BodyType::Static); }
    int updates = 0;
    bool spawnOnDestroy = false;
    void Update(float) override { ++updates; }
    void Destroy() override {
        if (spawnOnDestroy)
            new CountingObject();
        GameObject::Destroy();
    }
};

class GameWorldTest : public ::testing::Test {
protected:
    GameHarness& game = GameHarness::Get();
    GameWorld& world = GameWorld::GetInstance();

    bool InWorld(const GameObject* object) const {
        return std::find(world.GetObjects().begin(), world.GetObjects().end(), object) !=
               world.GetObjects().end();
    }
};

TEST_F(GameWorldTest, FixedStepsFollowTheFrameRateAndCarryTheRemainder) {
    auto* probe = new CountingObject();
    // At 60 frames a second, about one step a frame.
    for (int i = 0; i < 60; ++i)
        world.Update(1.0f / 60.0f);
    EXPECT_NEAR(probe->updates, 60, 1);
    // At 30, two steps a frame.
    probe->updates = 0;
    for (int i = 0; i < 30; ++i)
        world.Update(1.0f / 30.0f);
    EXPECT_NEAR(probe->updates, 60, 1);
    // At 120, one step every other frame.
    probe->updates = 0;
    for (int i = 0; i < 120; ++i)
        world.Update(1.0f / 120.0f);
    EXPECT_NEAR(probe->updates, 60, 1);
    // A frame shorter than a step with nothing carried over runs none.
    while (world.GetAccumulator() >= 0.001f)
        world.Update(1.0f / 60.0f - world.GetAccumulator());
    probe->updates = 0;
    world.Update(0.005f);
    EXPECT_EQ(probe->updates, 0);
    EXPECT_NEAR(world.GetAccumulator(), 0.005f, 1e-3f);
    probe->Destroy();
}

TEST_F(GameWorldTest, AStallIsCaughtUpStepByStepWithoutACap) {
    game.StartGame();
    auto* probe = new CountingObject();
    const float before = GameLoop::GetInstance().timeRemaining;
    world.Update(3.0f);
    EXPECT_NEAR(probe->updates, 180, 1) << "every step of the stall runs";
    EXPECT_NEAR(GameLoop::GetInstance().timeRemaining, before - 3.0f, 0.05f);
    // The player is still standing on the level afterwards: the catch-up kept the world sound.
    EXPECT_GT(game.Player().GetPosition().y(), 0.5f);
    EXPECT_LT(game.Player().GetPosition().y(), 2.0f);
}

TEST_F(GameWorldTest, ObjectsBelowTheKillHeightAreDestroyedInTheSameStep) {
    auto* atLimit = new CountingObject();
    auto* below = new CountingObject();
    atLimit->body->SetType(BodyType::Static);
    below->body->SetType(BodyType::Static);
    atLimit->SetPosition(Vector3(0.0f, -50.0f, 0.0f));
    below->SetPosition(Vector3(0.0f, -50.0001f, 0.0f));
    ConsoleCapture console;
    game.StepOnce();
    EXPECT_TRUE(InWorld(atLimit)) << "exactly -50 survives";
    EXPECT_FALSE(InWorld(below));
    EXPECT_TRUE(console.Contains("Destroying GameObject"));
    atLimit->Destroy();
}

TEST_F(GameWorldTest, ObjectsAddedDuringTheFallOutPassWaitForTheNextStep) {
    auto* falling = new CountingObject();
    falling->spawnOnDestroy = true;
    falling->body->SetType(BodyType::Static);
    falling->SetPosition(Vector3(0.0f, -60.0f, 0.0f));
    const std::size_t before = world.GetObjects().size();
    game.StepOnce();
    ASSERT_EQ(world.GetObjects().size(), before) << "one object went, one came";
    auto* newcomer = dynamic_cast<CountingObject*>(world.GetObjects().back());
    ASSERT_NE(newcomer, nullptr);
    EXPECT_EQ(newcomer->updates, 0) << "it joined after this step's updates";
    // It stands at the origin (inside the player's start height band), so it stays.
    game.StepOnce();
    EXPECT_EQ(newcomer->updates, 1);
    newcomer->Destroy();
}

TEST_F(GameWorldTest, NamesComeFromTheCounterBeforeItCounts) {
    game.StartGame();
    world.ResetForNewGame();
    EXPECT_EQ(world.GetObjectCounter(), 1u);
    auto* first = new CountingObject();
    EXPECT_EQ(first->name, "GameObject1");
    EXPECT_EQ(world.GetObjectCounter(), 2u);
    auto* second = new CountingObject();
    EXPECT_EQ(second->name, "GameObject2");
    first->Destroy();
    second->Destroy();
}

TEST_F(GameWorldTest, DamageTruncatesAndDestroysAtZero) {
    auto* target = new CountingObject();
    const std::string name = target->name;
    ConsoleCapture console;
    target->TakeDamage(20.0f);
    EXPECT_EQ(target->health, 80);
    target->TakeDamage(0.5f);
    EXPECT_EQ(target->health, 79) << "79.5 truncates towards zero";
    EXPECT_TRUE(console.Contains("Damage " + name + " by 20\n"));
    EXPECT_TRUE(console.Contains("Damage " + name + " by 0.5\n"));
    target->TakeDamage(1000.0f);
    EXPECT_FALSE(InWorld(target));
    EXPECT_TRUE(console.Contains("Damage " + name + " by 1000\nDestroying " + name + "\n"));
}

TEST_F(GameWorldTest, ThePlayerSurvivesItsOwnDestroy) {
    game.StartGame();
    PlayerObject& player = game.Player();
    ConsoleCapture console;
    player.health = 5;
    player.TakeDamage(10.0f);
    EXPECT_TRUE(console.Contains("Player destroyed\n"));
    EXPECT_TRUE(InWorld(&player));
    EXPECT_NE(player.body, nullptr);
    GameLoop::GetInstance().ReadEvents();
    EXPECT_TRUE(GameLoop::GetInstance().startPending);
    // A further hit while at or below zero reports the death again.
    console.Clear();
    player.TakeDamage(1.0f);
    EXPECT_TRUE(console.Contains("Player destroyed\n"));
}

TEST_F(GameWorldTest, ADestroyedObjectTakesItsLightOutOfTheScene) {
    auto* lamp = new CountingObject();
    auto* light = new PointLight();
    lamp->AttachPointLight(light);
    const auto& lights = world.GetPointLights();
    ASSERT_NE(std::find(lights.begin(), lights.end(), light), lights.end());
    lamp->Destroy();
    EXPECT_EQ(std::find(lights.begin(), lights.end(), light), lights.end());
}

TEST_F(GameWorldTest, HelpersActOnlyOnCollidersThatExist) {
    auto* bare = new CountingObject();
    bare->SetCollisionCategoryBits(CollisionCategory::kLevel);
    bare->SetCollideWithMaskBits(CollisionCategory::kTriggerMask);
    EXPECT_TRUE(bare->colliders.empty());
    EXPECT_EQ(bare->AddMeshCollider(), nullptr) << "no model, no mesh collider";
    Collider* sphere = bare->AddSphereCollider(1.0f, Transform::getIdentity(), false,
                                               CollisionCategory::kSphere, CollisionCategory::kEnemyBodyMask);
    EXPECT_EQ(bare->colliders.size(), 1u);
    EXPECT_EQ(bare->shapes.size(), 1u);
    (void)sphere;
    // Orientation survives a move.
    bare->body->SetTransform(MakeTransform(Vector3(1, 2, 3), Quaternion(Vector3(0, 1, 0), 0.5f)));
    bare->SetPosition(Vector3(4, 5, 6));
    EXPECT_NEAR(bare->body->GetTransform().getRotation().getAngle(), 0.5f, 1e-5f);
    EXPECT_FLOAT_EQ(bare->GetPosition().x(), 4.0f);
    bare->Destroy();
}

TEST_F(GameWorldTest, LightUniformsFollowTheLightList) {
    ShaderHandler& shaders = ShaderHandler::GetInstance();
    DirectionalLight sun{{0.5f, 0.5f, 0.5f}, {-0.3f, -1.0f, -0.5f}};
    shaders.SetLights(sun, {});
    EXPECT_EQ(shaders.globalUniforms.Ints().at("pointLightCount"), 0);
    PointLight a{{1, 0, 0}, {1, 2, 3}, {1, 0.1f, 0.01f}};
    PointLight b{{0, 1, 0}, {1, 2, 3}, {1, 0.2f, 0.02f}};
    shaders.SetLights(sun, {&a, &b});
    EXPECT_EQ(shaders.globalUniforms.Ints().at("pointLightCount"), 2);
    const auto& colors = shaders.globalUniforms.Vec3Arrays().at("pointLightColors");
    ASSERT_EQ(colors.size(), 2u);
    EXPECT_EQ(colors[1], (Vec3{0, 1, 0})) << "element i belongs to light i";
    EXPECT_EQ(shaders.globalUniforms.Vec3Arrays().at("pointLightPositions")[0],
              shaders.globalUniforms.Vec3Arrays().at("pointLightPositions")[1]);
    // With the list empty again only the count says so; the arrays keep the last lights.
    shaders.SetLights(sun, {});
    EXPECT_EQ(shaders.globalUniforms.Ints().at("pointLightCount"), 0);
    EXPECT_EQ(shaders.globalUniforms.Vec3Arrays().at("pointLightColors").size(), 2u);
    EXPECT_EQ(shaders.globalUniforms.Vec3s().at("directionalLight.direction"), sun.direction);
}

TEST_F(GameWorldTest, AnObjectIsDrawnWithItsBodysRotation) {
    game.StartGame();
    GameObject* level = world.GetObjects()[1];
    ASSERT_NE(level->model, nullptr);
    const Quaternion turn(Vector3(0, 1, 0), 1.0f);
    level->body->SetTransform(MakeTransform(Vector3(2, 0, 0), turn));
    level->Draw();
    const Mat4& model = ShaderHandler::GetInstance().drawUniforms.Mat4s().at("model");
    EXPECT_NEAR(model.At(0, 0), std::cos(1.0f), 1e-5f);
    EXPECT_NEAR(model.At(0, 2), -std::sin(1.0f), 1e-5f);
    EXPECT_FLOAT_EQ(model.At(3, 0), 2.0f);
    EXPECT_FLOAT_EQ(model.At(3, 3), 1.0f);
}

TEST_F(GameWorldTest, TheCollisionViewIsDrawnLastAndLeavesFillMode) {
    game.StartGame();
    EXPECT_FALSE(world.IsCollisionViewOn());
    game.Press(Action::CollisionView);
    EXPECT_TRUE(world.IsCollisionViewOn());
    game.StepOnce();
    EXPECT_FALSE(world.GetPhysicsWorld()->GetDebugLineVertices().empty());
    world.Draw(1.0f / 60.0f);
    GLint polygonMode[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, polygonMode);
    EXPECT_EQ(polygonMode[0], GL_FILL);
    GLint enabled = 1;
    glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
    EXPECT_EQ(enabled, GL_FALSE);
    game.Press(Action::CollisionView);
    EXPECT_FALSE(world.IsCollisionViewOn());
}

} // namespace
