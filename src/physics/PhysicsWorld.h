#pragma once
// The simulation: bodies, fixed steps, trigger reports, ray casts and the collision
// wireframe, on Bullet's discrete dynamics world.

#include "core/MathTypes.h"
#include "physics/EventListener.h"
#include "physics/PhysicsTypes.h"
#include "physics/Raycast.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class RigidBody;
class Collider;
class btDiscreteDynamicsWorld;
class btBroadphaseInterface;
class btCollisionDispatcher;
class btDefaultCollisionConfiguration;
class btSequentialImpulseConstraintSolver;
class btCollisionObject;
class DebugLineCollector;

struct WorldSettings {
    Vector3 gravity{0.0f, -25.0f, 0.0f};
    float defaultFrictionCoefficient = 0.3f;
    float defaultBounciness = 0.0f;
    bool isSleepingEnabled = true;
    float defaultTimeBeforeSleep = 1.0f;
    float defaultSleepLinearVelocity = 0.02f;
    float defaultSleepAngularVelocity = 0.05235988f;
    int defaultVelocitySolverNbIterations = 6;
};

class PhysicsWorld {
public:
    explicit PhysicsWorld(const WorldSettings& settings);
    ~PhysicsWorld();
    PhysicsWorld(const PhysicsWorld&) = delete;
    PhysicsWorld& operator=(const PhysicsWorld&) = delete;

    RigidBody* CreateRigidBody(const Transform& transform);
    /// Destroys the body with all its colliders; safe from inside a trigger report.
    void DestroyRigidBody(RigidBody* body);
    std::size_t BodyCount() const { return bodies.size(); }

    /// Exactly one step of `timeStep` seconds, then the trigger report to the listener.
    void Update(float timeStep);
    /// The listener is not owned; null stops the reports.
    void SetEventListener(EventListener* listener) { eventListener = listener; }

    /// Reports every collider whose category is in `categoryMask` that the segment crosses,
    /// a triangle mesh once at its nearest crossing. A ray that starts inside a sphere or
    /// capsule does not report that collider.
    void Raycast(const Ray& ray, RaycastCallback* callback, std::uint16_t categoryMask = 0xFFFF);

    /// While on, the wireframe of every collision shape is rebuilt after each step.
    void SetIsDebugRenderingEnabled(bool enabled);
    /// Line segments of the wireframe, two world-space points per line.
    const std::vector<Vec3>& GetDebugLineVertices() const { return debugLines; }
    /// Rebuilds the wireframe from the current state (also done after each step while on).
    void UpdateDebugLines();

    btDiscreteDynamicsWorld* GetBulletWorld() const { return dynamicsWorld.get(); }

private:
    friend class RigidBody;
    friend class Collider;
    struct RayCollector;
    struct PairFilter;
    using ColliderPair = std::pair<Collider*, Collider*>;

    void ReportTriggers();
    void ForgetPairsOf(RigidBody* body);
    void WakeBodiesTouching(const RigidBody* body);
    /// The body a Bullet object belongs to: the rigid body itself or a trigger's owner.
    static RigidBody* BodyOf(const btCollisionObject* object);
    static Collider* TriggerColliderOf(const btCollisionObject* object);
    /// The collider of `object` a contact point or ray hit names by (shape part, index).
    static Collider* ColliderOf(const btCollisionObject* object, int shapePart, int index);

    WorldSettings settings;
    std::unique_ptr<btDefaultCollisionConfiguration> configuration;
    std::unique_ptr<btCollisionDispatcher> dispatcher;
    std::unique_ptr<btBroadphaseInterface> broadphase;
    std::unique_ptr<btSequentialImpulseConstraintSolver> solver;
    std::unique_ptr<btDiscreteDynamicsWorld> dynamicsWorld;
    std::vector<std::unique_ptr<RigidBody>> bodies;
    EventListener* eventListener = nullptr;
    /// The trigger pairs of the last report, in report order (keeps the exit order reproducible).
    std::vector<ColliderPair> overlapping;
    OverlapCallbackData* reportInProgress = nullptr;
    bool debugEnabled = false;
    std::vector<Vec3> debugLines;
    std::unique_ptr<DebugLineCollector> debugCollector;
    std::unique_ptr<PairFilter> pairFilter;
};
