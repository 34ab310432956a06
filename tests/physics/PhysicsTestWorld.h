#pragma once
// A physics world stepped like the game steps it, with the game's collider recipes and
// doubles that record what the world reports.

#include "game/CollisionCategories.h"
#include "physics/Collider.h"
#include "physics/PhysicsCommon.h"
#include "physics/PhysicsWorld.h"
#include "physics/RigidBody.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace physics_test {

inline constexpr float kStep = 1.0f / 60.0f;
// The game's own table, so that these checks follow it if it ever changes.
inline constexpr std::uint16_t kPlayerCategory = CollisionCategory::kPlayer;
inline constexpr std::uint16_t kPlayerMask = CollisionCategory::kPlayerMask;
inline constexpr std::uint16_t kSphereCategory = CollisionCategory::kSphere;
inline constexpr std::uint16_t kTriggerMask = CollisionCategory::kTriggerMask;
inline constexpr std::uint16_t kEnemySolidMask = CollisionCategory::kEnemyBodyMask;
inline constexpr std::uint16_t kLevelCategory = CollisionCategory::kLevel;

inline WorldSettings ZeroGravity() {
    WorldSettings settings;
    settings.gravity = Vector3(0, 0, 0);
    return settings;
}

/// Keeps every report it is given; `onReport` runs first, so a report is kept as it stands
/// after the listener's own reaction (a destroyed body's pairs nulled).
struct RecordingListener : EventListener {
    std::vector<std::vector<OverlapPair>> reports;
    std::function<void(const OverlapCallbackData&)> onReport;
    void OnTrigger(const OverlapCallbackData& data) override {
        if (onReport)
            onReport(data);
        reports.push_back(data.pairs);
    }
};

/// Keeps every hit and gives each the same answer unless `answerFor` decides.
struct RayRecorder : RaycastCallback {
    explicit RayRecorder(float answer = -1.0f) : answer(answer) {}
    float NotifyRaycastHit(const RaycastInfo& info) override {
        hits.push_back(info);
        return answerFor ? answerFor(info) : answer;
    }
    float answer;
    std::function<float(const RaycastInfo&)> answerFor;
    std::vector<RaycastInfo> hits;
};

inline bool Names(const OverlapPair& pair, const Collider* a, const Collider* b) {
    return (pair.collider1 == a && pair.collider2 == b) || (pair.collider1 == b && pair.collider2 == a);
}

class PhysicsTestWorld : public ::testing::Test {
protected:
    explicit PhysicsTestWorld(const WorldSettings& settings = {})
        : world(common.CreatePhysicsWorld(settings)) {
        world->SetEventListener(&listener);
    }

    void StepOnce() { world->Update(kStep); }
    void Simulate(float seconds) {
        for (int i = 0, n = static_cast<int>(std::lround(seconds / kStep)); i < n; ++i)
            StepOnce();
    }

    /// Steps until the body falls asleep; false when it is still awake after `seconds`.
    bool SleepWithin(const RigidBody* body, float seconds = 10.0f) {
        for (int i = 0, n = static_cast<int>(std::lround(seconds / kStep)); i < n && !body->IsSleeping(); ++i)
            StepOnce();
        return body->IsSleeping();
    }

    RigidBody* AddBody(const Vector3& position, BodyType type = BodyType::Dynamic) {
        RigidBody* body = world->CreateRigidBody(MakeTransform(Vector3(0, 0, 0)));
        body->SetType(type);
        body->SetTransform(MakeTransform(position));
        return body;
    }
    /// In the game's order: added solid, then trigger flag, category and mask.
    Collider* AddSphere(RigidBody* body, float radius, bool trigger, std::uint16_t category,
                        std::uint16_t mask, const Vector3& offset = Vector3(0, 0, 0)) {
        Collider* collider = body->AddCollider(common.CreateSphereShape(radius), MakeTransform(offset));
        collider->SetIsTrigger(trigger);
        collider->SetCollisionCategoryBits(category);
        collider->SetCollideWithMaskBits(mask);
        return collider;
    }
    RigidBody* AddPlayer(const Vector3& position) {
        RigidBody* body = AddBody(position);
        body->SetAngularLockAxisFactor(Vector3(0, 0, 0));
        Collider* capsule =
            body->AddCollider(common.CreateCapsuleShape(0.5f, 1.0f), Transform::getIdentity());
        capsule->SetBounciness(0.0f);
        capsule->SetFrictionCoefficient(0.0f);
        capsule->SetCollisionCategoryBits(kPlayerCategory);
        capsule->SetCollideWithMaskBits(kPlayerMask);
        return body;
    }
    RigidBody* AddEnemy(const Vector3& position) {
        RigidBody* body = AddBody(position);
        AddSphere(body, 1.1f, true, kSphereCategory, kTriggerMask);
        AddSphere(body, 1.0f, false, kSphereCategory, kEnemySolidMask);
        return body;
    }
    RigidBody* AddPickup(const Vector3& position) {
        RigidBody* body = AddBody(position, BodyType::Static);
        AddSphere(body, 1.1f, true, kSphereCategory, kTriggerMask);
        return body;
    }
    /// A square of two triangles at height y, facing up, as a level mesh.
    RigidBody* AddFloor(float y = 0.0f, float halfSize = 50.0f) {
        const float s = halfSize;
        CollisionShape* mesh = common.CreateConcaveMeshShape({{-s, y, -s}, {s, y, -s}, {s, y, s}, {-s, y, s}},
                                                             {0, 2, 1, 0, 3, 2});
        RigidBody* body = AddBody(Vector3(0, 0, 0), BodyType::Static);
        body->AddCollider(mesh, Transform::getIdentity())->SetCollisionCategoryBits(kLevelCategory);
        return body;
    }

    std::vector<RaycastInfo> CastRay(const Vector3& from, const Vector3& to, float answer = -1.0f,
                                     std::uint16_t mask = 0xFFFF) {
        RayRecorder recorder(answer);
        world->Raycast(Ray{from, to}, &recorder, mask);
        return recorder.hits;
    }

    static Vector3 Position(const RigidBody* body) { return body->GetTransform().getOrigin(); }

    PhysicsCommon common;
    PhysicsWorld* world;
    RecordingListener listener;
};

class ZeroGravityWorld : public PhysicsTestWorld {
protected:
    ZeroGravityWorld() : PhysicsTestWorld(ZeroGravity()) {}
};

} // namespace physics_test
