#pragma once
// A body of the physics world with any number of colliders. Dynamic (mass 1) by default;
// every force, velocity or transform change wakes it.

#include "physics/PhysicsTypes.h"

#include <memory>
#include <vector>

class btRigidBody;
class btCompoundShape;
class CollisionShape;
class Collider;
class PhysicsWorld;

enum class BodyType { Static, Dynamic };

class RigidBody {
public:
    ~RigidBody();
    RigidBody(const RigidBody&) = delete;
    RigidBody& operator=(const RigidBody&) = delete;

    Transform GetTransform() const;
    /// Moves the body (and its trigger colliders) at once.
    void SetTransform(const Transform& transform);
    BodyType GetType() const { return type; }
    /// Switching type keeps every collider with its filters.
    void SetType(BodyType type);
    /// 0 on an axis locks rotation about it; (0, 0, 0) keeps the body upright for good.
    void SetAngularLockAxisFactor(const Vector3& factor);
    /// A world-frame force at the centre of mass, for the next step.
    void ApplyWorldForceAtCenterOfMass(const Vector3& force);
    /// A force in the body's own frame at the centre of mass.
    void ApplyLocalForceAtCenterOfMass(const Vector3& force);
    Vector3 GetLinearVelocity() const;
    void SetLinearVelocity(const Vector3& velocity);
    bool IsSleeping() const;

    /// Adds a collider with its local transform; solid by default, category 0x0001,
    /// mask 0xFFFF, friction and bounciness from the world's defaults.
    Collider* AddCollider(CollisionShape* shape, const Transform& localTransform);
    const std::vector<std::unique_ptr<Collider>>& GetColliders() const { return colliders; }

    btRigidBody* GetBulletBody() const { return body.get(); }
    PhysicsWorld& GetWorld() const { return world; }

private:
    friend class PhysicsWorld;
    friend class Collider;
    RigidBody(PhysicsWorld& world, const Transform& transform);
    /// Rebuilds the solid shape and mass after colliders or their settings changed.
    void RebuildSolidShape();
    void SyncTriggers();
    /// Takes the body out of the world and puts it back with the filter of its solid colliders.
    void Reregister();
    void ApplyMassProperties();
    /// Friction and bounciness of the body come from its first solid collider.
    void ApplyMaterial();
    Vector3 ComputeLocalInertia(float mass) const;
    int FilterCategory() const;
    int FilterMask() const;
    /// The solid collider a contact or ray hit names by Bullet's (shape part, index) pair.
    Collider* SolidColliderFor(int shapePart, int index) const;
    void WakeUp();

    PhysicsWorld& world;
    BodyType type = BodyType::Dynamic;
    std::unique_ptr<btRigidBody> body;
    std::unique_ptr<btCompoundShape> compound;
    std::vector<std::unique_ptr<Collider>> colliders;
    /// The solid colliders in the order of the compound's children.
    std::vector<Collider*> solidColliders;
    Vector3 angularFactor{1, 1, 1};
};
