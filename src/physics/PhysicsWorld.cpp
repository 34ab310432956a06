#include "physics/PhysicsWorld.h"

#include "physics/Collider.h"
#include "physics/DebugLineCollector.h"
#include "physics/PhysicsCommon.h"
#include "physics/RigidBody.h"

#include <btBulletDynamicsCommon.h>

#include <algorithm>
#include <cassert>
#include <cmath>

namespace {

// Bullet multiplies the materials of a contact, which would turn the default friction of 0.3
// into 0.09 between two default surfaces; these keep a pair of equal materials at their value.
btScalar CombinedFriction(const btCollisionObject* a, const btCollisionObject* b) {
    return std::sqrt(a->getFriction() * b->getFriction());
}

btScalar CombinedBounciness(const btCollisionObject* a, const btCollisionObject* b) {
    return std::max(a->getRestitution(), b->getRestitution());
}

} // namespace

/// The two-way category/mask test, and never two colliders of the same body.
struct PhysicsWorld::PairFilter final : btOverlapFilterCallback {
    bool needBroadphaseCollision(btBroadphaseProxy* proxy0, btBroadphaseProxy* proxy1) const override {
        if ((proxy0->m_collisionFilterGroup & proxy1->m_collisionFilterMask) == 0 ||
            (proxy1->m_collisionFilterGroup & proxy0->m_collisionFilterMask) == 0)
            return false;
        const RigidBody* body0 = BodyOf(static_cast<const btCollisionObject*>(proxy0->m_clientObject));
        const RigidBody* body1 = BodyOf(static_cast<const btCollisionObject*>(proxy1->m_clientObject));
        return body0 == nullptr || body0 != body1;
    }
};

/// Hands every hit to the game's callback and turns its answer into Bullet's clipping fraction.
struct PhysicsWorld::RayCollector final : btCollisionWorld::RayResultCallback {
    RayCollector(const Ray& ray, RaycastCallback& callback, std::uint16_t categoryMask)
        : from(ray.point1), to(ray.point2), callback(callback), categoryMask(categoryMask) {
        m_closestHitFraction = std::clamp(ray.maxFraction, 0.0f, 1.0f);
    }

    bool needsCollision(btBroadphaseProxy* proxy) const override {
        // Only the collider's category is tested: the ray itself belongs to no category.
        return (proxy->m_collisionFilterGroup & categoryMask) != 0;
    }

    btScalar addSingleResult(btCollisionWorld::LocalRayResult& result, bool normalInWorldSpace) override {
        int shapePart = -1;
        int index = -1;
        if (result.m_localShapeInfo != nullptr) {
            shapePart = result.m_localShapeInfo->m_shapePart;
            index = result.m_localShapeInfo->m_triangleIndex;
        }
        Collider* collider = ColliderOf(result.m_collisionObject, shapePart, index);
        // A body's solid colliders share one broadphase filter, so each one's own category is
        // checked here again.
        if (collider == nullptr || (collider->GetCollisionCategoryBits() & categoryMask) == 0)
            return m_closestHitFraction;

        float fraction = result.m_hitFraction;
        Vector3 normal = result.m_hitNormalLocal;
        if (!normalInWorldSpace)
            normal = result.m_collisionObject->getWorldTransform().getBasis() * normal;
        if (collider->GetShape()->GetKind() == CollisionShape::Kind::ConcaveMesh) {
            // Bullet reports every triangle it crosses; a mesh is one collider and is reported
            // once, at its nearest triangle.
            if (std::find(reportedMeshes.begin(), reportedMeshes.end(), collider) != reportedMeshes.end())
                return m_closestHitFraction;
            reportedMeshes.push_back(collider);
            NearestTriangle nearest(m_closestHitFraction);
            Transform meshTransform = result.m_collisionObject->getWorldTransform();
            if (collider->GetTriggerObject() == nullptr)
                meshTransform = meshTransform * collider->GetLocalTransform();
            btCollisionWorld::rayTestSingle(Transform(Quaternion::getIdentity(), from),
                                            Transform(Quaternion::getIdentity(), to),
                                            const_cast<btCollisionObject*>(result.m_collisionObject),
                                            collider->GetShape()->GetBulletShape(), meshTransform, nearest);
            if (nearest.found) {
                fraction = nearest.m_closestHitFraction;
                normal = nearest.normal;
            }
        }

        RaycastInfo info;
        info.worldPoint = from.lerp(to, fraction);
        info.worldNormal = GetUnit(normal);
        info.hitFraction = fraction;
        info.collider = collider;
        info.body = collider->GetBody();

        const float answer = callback.NotifyRaycastHit(info);
        if (answer < 0.0f)
            return m_closestHitFraction;
        m_collisionObject = result.m_collisionObject;
        // Clipping only ever shortens the segment; 0 ends the cast.
        m_closestHitFraction = std::min(m_closestHitFraction, answer);
        return m_closestHitFraction;
    }

    /// The nearest triangle of one mesh within the current clip.
    struct NearestTriangle final : btCollisionWorld::RayResultCallback {
        explicit NearestTriangle(float clip) { m_closestHitFraction = clip; }
        btScalar addSingleResult(btCollisionWorld::LocalRayResult& result, bool normalInWorldSpace) override {
            if (result.m_hitFraction < m_closestHitFraction) {
                m_closestHitFraction = result.m_hitFraction;
                normal = normalInWorldSpace ? result.m_hitNormalLocal
                                            : result.m_collisionObject->getWorldTransform().getBasis() *
                                                  result.m_hitNormalLocal;
                found = true;
            }
            return m_closestHitFraction;
        }
        Vector3 normal{0, 0, 0};
        bool found = false;
    };

    Vector3 from;
    Vector3 to;
    RaycastCallback& callback;
    std::uint16_t categoryMask;
    std::vector<const Collider*> reportedMeshes;
};

PhysicsWorld::PhysicsWorld(const WorldSettings& settings)
    : settings(settings), configuration(std::make_unique<btDefaultCollisionConfiguration>()),
      dispatcher(std::make_unique<btCollisionDispatcher>(configuration.get())),
      broadphase(std::make_unique<btDbvtBroadphase>()),
      solver(std::make_unique<btSequentialImpulseConstraintSolver>()),
      dynamicsWorld(std::make_unique<btDiscreteDynamicsWorld>(dispatcher.get(), broadphase.get(),
                                                              solver.get(), configuration.get())),
      debugCollector(std::make_unique<DebugLineCollector>(debugLines)),
      pairFilter(std::make_unique<PairFilter>()) {
    dynamicsWorld->setGravity(settings.gravity);
    dynamicsWorld->getSolverInfo().m_numIterations = settings.defaultVelocitySolverNbIterations;
    // Bullet keeps the time before sleep process-wide; per-body thresholds are set on each body.
    gDeactivationTime = settings.defaultTimeBeforeSleep;
    gCalculateCombinedFrictionCallback = CombinedFriction;
    gCalculateCombinedRestitutionCallback = CombinedBounciness;
    dynamicsWorld->getPairCache()->setOverlapFilterCallback(pairFilter.get());
    debugCollector->setDebugMode(btIDebugDraw::DBG_DrawWireframe);
    dynamicsWorld->setDebugDrawer(debugCollector.get());
}

PhysicsWorld::~PhysicsWorld() {
    // Bodies take themselves out of the Bullet world, which must still exist then.
    overlapping.clear();
    bodies.clear();
    dynamicsWorld.reset();
    solver.reset();
    broadphase.reset();
    dispatcher.reset();
    configuration.reset();
}

RigidBody* PhysicsWorld::CreateRigidBody(const Transform& transform) {
    bodies.push_back(std::unique_ptr<RigidBody>(new RigidBody(*this, transform)));
    return bodies.back().get();
}

void PhysicsWorld::DestroyRigidBody(RigidBody* body) {
    if (body == nullptr)
        return;
    auto it = std::find_if(bodies.begin(), bodies.end(), [body](const auto& b) { return b.get() == body; });
    assert(it != bodies.end() && "body not in this world");
    if (it == bodies.end())
        return;
    ForgetPairsOf(body);
    WakeBodiesTouching(body);
    bodies.erase(it);
}

void PhysicsWorld::Update(float timeStep) {
    // Triggers sit on their bodies when the step tests for overlaps, and again afterwards so that
    // ray casts and the wireframe between steps see them where their bodies went.
    for (const auto& body : bodies)
        body->SyncTriggers();
    dynamicsWorld->stepSimulation(timeStep, 0);
    for (const auto& body : bodies)
        body->SyncTriggers();
    // The broadphase boxes are from before the bodies moved; ray casts cull with them.
    dynamicsWorld->updateAabbs();
    ReportTriggers();
    if (debugEnabled)
        UpdateDebugLines();
}

void PhysicsWorld::ReportTriggers() {
    OverlapCallbackData data;
    std::vector<ColliderPair> current;
    const auto find = [](const std::vector<ColliderPair>& pairs, Collider* a, Collider* b) {
        return std::find_if(pairs.begin(), pairs.end(), [a, b](const ColliderPair& p) {
            return (p.first == a && p.second == b) || (p.first == b && p.second == a);
        });
    };

    const int manifoldCount = dispatcher->getNumManifolds();
    for (int m = 0; m < manifoldCount; ++m) {
        const btPersistentManifold* manifold = dispatcher->getManifoldByIndexInternal(m);
        const btCollisionObject* object0 = manifold->getBody0();
        const btCollisionObject* object1 = manifold->getBody1();
        if (TriggerColliderOf(object0) == nullptr && TriggerColliderOf(object1) == nullptr)
            continue;
        for (int p = 0; p < manifold->getNumContacts(); ++p) {
            const btManifoldPoint& point = manifold->getContactPoint(p);
            // Bullet keeps points that are merely close; only touching ones are an overlap.
            if (point.getDistance() > 0.0f)
                continue;
            Collider* a = ColliderOf(object0, point.m_partId0, point.m_index0);
            Collider* b = ColliderOf(object1, point.m_partId1, point.m_index1);
            if (a == nullptr || b == nullptr || find(current, a, b) != current.end())
                continue;
            OverlapPair pair{a, b, OverlapPair::Event::OverlapStart};
            if (auto previous = find(overlapping, a, b); previous != overlapping.end()) {
                // The order of the first report is kept for as long as the overlap lasts.
                pair.collider1 = previous->first;
                pair.collider2 = previous->second;
                pair.event = OverlapPair::Event::OverlapStay;
            }
            current.emplace_back(pair.collider1, pair.collider2);
            data.pairs.push_back(pair);
        }
    }
    for (const ColliderPair& previous : overlapping)
        if (find(current, previous.first, previous.second) == current.end())
            data.pairs.push_back({previous.first, previous.second, OverlapPair::Event::OverlapExit});

    overlapping = std::move(current);
    if (eventListener == nullptr || data.pairs.empty())
        return;
    // The listener may destroy bodies; DestroyRigidBody nulls their later pairs through this.
    reportInProgress = &data;
    eventListener->OnTrigger(data);
    reportInProgress = nullptr;
}

void PhysicsWorld::ForgetPairsOf(RigidBody* body) {
    const auto names = [body](const Collider* collider) {
        return collider != nullptr && collider->GetBody() == body;
    };
    std::erase_if(overlapping, [&](const ColliderPair& p) { return names(p.first) || names(p.second); });
    if (reportInProgress == nullptr)
        return;
    for (OverlapPair& pair : reportInProgress->pairs)
        if (names(pair.collider1) || names(pair.collider2)) {
            pair.collider1 = nullptr;
            pair.collider2 = nullptr;
        }
}

void PhysicsWorld::WakeBodiesTouching(const RigidBody* body) {
    // Bullet does not wake what rested on a removed body; a floor taken away must let things fall.
    const btCollisionObject* own = body->GetBulletBody();
    const int manifoldCount = dispatcher->getNumManifolds();
    for (int m = 0; m < manifoldCount; ++m) {
        const btPersistentManifold* manifold = dispatcher->getManifoldByIndexInternal(m);
        const btCollisionObject* other = nullptr;
        if (manifold->getBody0() == own)
            other = manifold->getBody1();
        else if (manifold->getBody1() == own)
            other = manifold->getBody0();
        if (other == nullptr || btRigidBody::upcast(other) == nullptr)
            continue;
        if (RigidBody* neighbour = BodyOf(other); neighbour != nullptr)
            neighbour->WakeUp();
    }
}

void PhysicsWorld::Raycast(const Ray& ray, RaycastCallback* callback, std::uint16_t categoryMask) {
    assert(callback != nullptr);
    // A segment of no length crosses nothing (and Bullet cannot normalise its direction).
    if (callback == nullptr || (ray.point2 - ray.point1).length2() == 0.0f || ray.maxFraction <= 0.0f)
        return;
    RayCollector collector(ray, *callback, categoryMask);
    dynamicsWorld->rayTest(ray.point1, ray.point2, collector);
}

void PhysicsWorld::SetIsDebugRenderingEnabled(bool enabled) {
    debugEnabled = enabled;
    if (enabled)
        UpdateDebugLines();
    else
        debugLines.clear();
}

void PhysicsWorld::UpdateDebugLines() {
    debugLines.clear();
    dynamicsWorld->debugDrawWorld();
}

RigidBody* PhysicsWorld::BodyOf(const btCollisionObject* object) {
    if (object == nullptr)
        return nullptr;
    if (btRigidBody::upcast(object) != nullptr)
        return static_cast<RigidBody*>(object->getUserPointer());
    const Collider* trigger = TriggerColliderOf(object);
    return trigger != nullptr ? trigger->GetBody() : nullptr;
}

Collider* PhysicsWorld::TriggerColliderOf(const btCollisionObject* object) {
    if (object == nullptr || btRigidBody::upcast(object) != nullptr)
        return nullptr;
    return static_cast<Collider*>(object->getUserPointer());
}

Collider* PhysicsWorld::ColliderOf(const btCollisionObject* object, int shapePart, int index) {
    if (object == nullptr)
        return nullptr;
    if (btRigidBody::upcast(object) != nullptr) {
        const RigidBody* body = static_cast<const RigidBody*>(object->getUserPointer());
        return body != nullptr ? body->SolidColliderFor(shapePart, index) : nullptr;
    }
    return TriggerColliderOf(object);
}
