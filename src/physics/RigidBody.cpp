#include "physics/RigidBody.h"

#include "physics/Collider.h"
#include "physics/PhysicsCommon.h"
#include "physics/PhysicsWorld.h"

#include <btBulletDynamicsCommon.h>

#include <cassert>

namespace {

constexpr float kDynamicMass = 1.0f;
/// A dynamic body without any solid shape still needs a finite inertia to integrate.
const Vector3 kMinimumInertia{1.0f, 1.0f, 1.0f};

} // namespace

RigidBody::RigidBody(PhysicsWorld& world, const Transform& transform)
    : world(world), compound(std::make_unique<btCompoundShape>()) {
    btRigidBody::btRigidBodyConstructionInfo info(kDynamicMass, nullptr, compound.get(), kMinimumInertia);
    info.m_startWorldTransform = transform;
    info.m_friction = world.settings.defaultFrictionCoefficient;
    info.m_restitution = world.settings.defaultBounciness;
    info.m_linearSleepingThreshold = world.settings.defaultSleepLinearVelocity;
    info.m_angularSleepingThreshold = world.settings.defaultSleepAngularVelocity;
    body = std::make_unique<btRigidBody>(info);
    body->setUserPointer(this);
    if (!world.settings.isSleepingEnabled)
        body->forceActivationState(DISABLE_DEACTIVATION);
    // No solid collider yet: nothing may meet it, but gravity already pulls it.
    world.dynamicsWorld->addRigidBody(body.get(), FilterCategory(), FilterMask());
}

RigidBody::~RigidBody() {
    world.dynamicsWorld->removeRigidBody(body.get());
    colliders.clear();
    body.reset();
    compound.reset();
}

Transform RigidBody::GetTransform() const {
    return body->getWorldTransform();
}

void RigidBody::SetTransform(const Transform& transform) {
    body->setWorldTransform(transform);
    body->setInterpolationWorldTransform(transform);
    // Ray casts between steps go through the broadphase, which must see the new place at once.
    world.dynamicsWorld->updateSingleAabb(body.get());
    SyncTriggers();
    WakeUp();
}

void RigidBody::SetType(BodyType newType) {
    if (newType == type)
        return;
    type = newType;
    btDiscreteDynamicsWorld* bulletWorld = world.dynamicsWorld.get();
    bulletWorld->removeRigidBody(body.get());
    ApplyMassProperties();
    if (type == BodyType::Static) {
        body->setLinearVelocity(Vector3(0, 0, 0));
        body->setAngularVelocity(Vector3(0, 0, 0));
        body->clearForces();
        // Bullet keeps static bodies asleep; a body that could never sleep must be allowed to here.
        body->forceActivationState(ISLAND_SLEEPING);
    } else {
        body->forceActivationState(world.settings.isSleepingEnabled ? ACTIVE_TAG : DISABLE_DEACTIVATION);
    }
    bulletWorld->addRigidBody(body.get(), FilterCategory(), FilterMask());
    WakeUp();
}

void RigidBody::SetAngularLockAxisFactor(const Vector3& factor) {
    angularFactor = factor;
    body->setAngularFactor(factor);
    if (factor.isZero())
        body->setAngularVelocity(Vector3(0, 0, 0));
}

void RigidBody::ApplyWorldForceAtCenterOfMass(const Vector3& force) {
    if (type != BodyType::Dynamic)
        return;
    // Bullet drops forces on a sleeping body, so every push wakes it first.
    WakeUp();
    body->applyCentralForce(force);
}

void RigidBody::ApplyLocalForceAtCenterOfMass(const Vector3& force) {
    ApplyWorldForceAtCenterOfMass(body->getWorldTransform().getBasis() * force);
}

Vector3 RigidBody::GetLinearVelocity() const {
    return body->getLinearVelocity();
}

void RigidBody::SetLinearVelocity(const Vector3& velocity) {
    if (type != BodyType::Dynamic)
        return;
    body->setLinearVelocity(velocity);
    WakeUp();
}

bool RigidBody::IsSleeping() const {
    return type == BodyType::Dynamic && body->getActivationState() == ISLAND_SLEEPING;
}

Collider* RigidBody::AddCollider(CollisionShape* shape, const Transform& localTransform) {
    assert(shape != nullptr && shape->GetBulletShape() != nullptr);
    colliders.push_back(std::unique_ptr<Collider>(new Collider(*this, shape, localTransform,
                                                               world.settings.defaultFrictionCoefficient,
                                                               world.settings.defaultBounciness)));
    RebuildSolidShape();
    return colliders.back().get();
}

void RigidBody::RebuildSolidShape() {
    // Out of the world while the compound changes: the cached pair algorithms and manifolds
    // refer to the old children.
    btDiscreteDynamicsWorld* bulletWorld = world.dynamicsWorld.get();
    bulletWorld->removeRigidBody(body.get());
    while (compound->getNumChildShapes() > 0)
        compound->removeChildShapeByIndex(compound->getNumChildShapes() - 1);
    solidColliders.clear();
    for (const auto& collider : colliders) {
        if (collider->IsTrigger())
            continue;
        compound->addChildShape(collider->GetLocalTransform(), collider->GetShape()->GetBulletShape());
        solidColliders.push_back(collider.get());
    }
    compound->recalculateLocalAabb();
    // The same object again, so the cached shape pointer of the body stays valid.
    body->setCollisionShape(compound.get());
    ApplyMassProperties();
    ApplyMaterial();
    bulletWorld->addRigidBody(body.get(), FilterCategory(), FilterMask());
    WakeUp();
}

void RigidBody::SyncTriggers() {
    const Transform& transform = body->getWorldTransform();
    btDiscreteDynamicsWorld* bulletWorld = world.dynamicsWorld.get();
    for (const auto& collider : colliders) {
        btCollisionObject* trigger = collider->GetTriggerObject();
        if (trigger == nullptr)
            continue;
        trigger->setWorldTransform(transform * collider->GetLocalTransform());
        bulletWorld->updateSingleAabb(trigger);
    }
}

void RigidBody::Reregister() {
    btDiscreteDynamicsWorld* bulletWorld = world.dynamicsWorld.get();
    bulletWorld->removeRigidBody(body.get());
    bulletWorld->addRigidBody(body.get(), FilterCategory(), FilterMask());
    WakeUp();
}

void RigidBody::ApplyMassProperties() {
    if (type == BodyType::Static) {
        body->setMassProps(0.0f, Vector3(0, 0, 0));
        body->setCollisionFlags(body->getCollisionFlags() | btCollisionObject::CF_STATIC_OBJECT);
    } else {
        body->setMassProps(kDynamicMass, ComputeLocalInertia(kDynamicMass));
        body->setCollisionFlags(body->getCollisionFlags() & ~btCollisionObject::CF_STATIC_OBJECT);
    }
    body->updateInertiaTensor();
    body->setAngularFactor(angularFactor);
}

void RigidBody::ApplyMaterial() {
    float friction = world.settings.defaultFrictionCoefficient;
    float bounciness = world.settings.defaultBounciness;
    if (!solidColliders.empty()) {
        friction = solidColliders.front()->GetFrictionCoefficient();
        bounciness = solidColliders.front()->GetBounciness();
    }
    body->setFriction(friction);
    body->setRestitution(bounciness);
}

Vector3 RigidBody::ComputeLocalInertia(float mass) const {
    // The mass is shared evenly by the solid convex colliders; each one's inertia is turned into
    // the body frame and moved to the body origin (parallel axes). Concave meshes only ever sit on
    // static bodies, which have no inertia.
    int convexCount = 0;
    for (const Collider* collider : solidColliders)
        if (collider->GetShape()->GetBulletShape()->isConvex())
            ++convexCount;
    if (convexCount == 0)
        return kMinimumInertia;
    const float share = mass / static_cast<float>(convexCount);
    btMatrix3x3 tensor(0, 0, 0, 0, 0, 0, 0, 0, 0);
    for (const Collider* collider : solidColliders) {
        const btCollisionShape* shape = collider->GetShape()->GetBulletShape();
        if (!shape->isConvex())
            continue;
        Vector3 local(0, 0, 0);
        shape->calculateLocalInertia(share, local);
        const btMatrix3x3& r = collider->GetLocalTransform().getBasis();
        btMatrix3x3 diagonal(local.x(), 0, 0, 0, local.y(), 0, 0, 0, local.z());
        tensor += r * diagonal * r.transpose();
        const Vector3& d = collider->GetLocalTransform().getOrigin();
        const float d2 = d.length2();
        tensor += btMatrix3x3(share * (d2 - d.x() * d.x()), -share * d.x() * d.y(), -share * d.x() * d.z(),
                              -share * d.y() * d.x(), share * (d2 - d.y() * d.y()), -share * d.y() * d.z(),
                              -share * d.z() * d.x(), -share * d.z() * d.y(), share * (d2 - d.z() * d.z()));
    }
    return Vector3(tensor[0][0], tensor[1][1], tensor[2][2]);
}

int RigidBody::FilterCategory() const {
    int bits = 0;
    for (const Collider* collider : solidColliders)
        bits |= collider->GetCollisionCategoryBits();
    return bits;
}

int RigidBody::FilterMask() const {
    int bits = 0;
    for (const Collider* collider : solidColliders)
        bits |= collider->GetCollideWithMaskBits();
    return bits;
}

Collider* RigidBody::SolidColliderFor(int shapePart, int index) const {
    if (solidColliders.empty())
        return nullptr;
    // Compound children are named by (-1, child index); a triangle of a concave child by its own
    // (mesh part, triangle), which only a concave collider can produce.
    if (shapePart < 0 && index >= 0 && static_cast<std::size_t>(index) < solidColliders.size())
        return solidColliders[static_cast<std::size_t>(index)];
    if (shapePart >= 0)
        for (Collider* collider : solidColliders)
            if (collider->GetShape()->GetKind() == CollisionShape::Kind::ConcaveMesh)
                return collider;
    return solidColliders.front();
}

void RigidBody::WakeUp() {
    if (type == BodyType::Dynamic)
        body->activate(true);
}
