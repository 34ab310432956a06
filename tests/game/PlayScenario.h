#pragma once
// A running game with the view and the keys in a known state, for the player, weapon and gun
// scenarios: each test begins a fresh game, looking along +Z with no key held.

#include "core/Action.h"
#include "core/MathTypes.h"
#include "game/CollisionCategories.h"
#include "game/GameLoop.h"
#include "game/GameObject.h"
#include "game/GameWorld.h"
#include "game/PlayerObject.h"
#include "physics/RigidBody.h"
#include "render/Camera.h"
#include "support/GameHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

namespace testing_support {

class PlayScenario : public ::testing::Test {
protected:
    static constexpr float kStep = 1.0f / 60.0f;

    GameHarness& game = GameHarness::Get();
    Camera& camera = Camera::GetInstance();
    PlayerObject& player = game.Player();

    void SetUp() override {
        Release({Action::Forward, Action::Back, Action::Left, Action::Right});
        GameLoop& flow = GameLoop::GetInstance();
        if (!flow.started) {
            game.StartGame();
        } else {
            // A test process that already played starts over, so no earlier test's objects remain.
            flow.startPending = true;
            game.StepOnce();
        }
        Look(0.0f, 0.0f);
    }

    void TearDown() override { Release({Action::Forward, Action::Back, Action::Left, Action::Right}); }

    void Hold(std::initializer_list<Action> actions) {
        for (Action action : actions)
            game.Hold(action, true);
    }
    void Release(std::initializer_list<Action> actions) {
        for (Action action : actions)
            game.Hold(action, false);
    }

    /// Turns the view and holds it there; yaw 0 looks along +Z, growing yaw turns towards +X,
    /// positive pitch looks up.
    void Look(float yaw, float pitch) {
        lookYaw = yaw;
        lookPitch = pitch;
        camera.yaw = yaw;
        camera.pitch = pitch;
    }

    /// One fixed step with the view held. The hidden test window reports the pointer away from
    /// its centre and cannot warp it back, so mouse look would turn the view after every step.
    void Step() {
        game.StepOnce();
        Look(lookYaw, lookPitch);
    }
    void Run(float seconds) {
        const int steps = static_cast<int>(std::lround(seconds / kStep));
        for (int i = 0; i < steps; ++i)
            Step();
    }

    /// Puts the player at `p` at rest; no step is run.
    void PlaceAt(const Vector3& p) {
        player.SetPosition(p);
        player.body->SetLinearVelocity(Vector3(0.0f, 0.0f, 0.0f));
    }

    /// Drops the player a little above the floor at (x, z) and lets it come to rest there.
    void StandAt(float x, float z) {
        PlaceAt(Vector3(x, kFloorHeight + 1.2f, z));
        Run(1.0f);
    }

    Vector3 Velocity() const { return player.body->GetLinearVelocity(); }
    float HorizontalSpeed() const {
        const Vector3 v = Velocity();
        return std::sqrt(v.x() * v.x() + v.z() * v.z());
    }

    /// A still ball of radius 1 that only stands in the way of shots.
    GameObject* MakeTarget(const Vector3& p) {
        auto* target = new GameObject();
        target->body->SetType(BodyType::Static);
        target->SetPosition(p);
        target->AddSphereCollider(1.0f, Transform::getIdentity(), false, CollisionCategory::kSphere,
                                  CollisionCategory::kEnemyBodyMask);
        return target;
    }

    bool InWorld(const GameObject* object) const {
        for (const GameObject* o : game.World().GetObjects())
            if (o == object)
                return true;
        return false;
    }

    /// The top of the arena's floor; a player standing on it has its centre 1.0 higher.
    static constexpr float kFloorHeight = 0.0f;

private:
    float lookYaw = 0.0f;
    float lookPitch = 0.0f;
};

} // namespace testing_support
