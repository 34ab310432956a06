#pragma once
// One collision shape on a body, with its local transform, filter bits, trigger flag and
// material. Two colliders meet only when each one's category is in the other's mask.

#include "physics/PhysicsTypes.h"

#include <cstdint>
#include <memory>

class btCollisionObject;
class CollisionShape;
class RigidBody;

class Collider {
public:
    ~Collider();
    Collider(const Collider&) = delete;
    Collider& operator=(const Collider&) = delete;

    RigidBody* GetBody() const { return &body; }
    CollisionShape* GetShape() const { return shape; }
    const Transform& GetLocalTransform() const { return localTransform; }

    /// A trigger reports overlaps but never pushes anything.
    void SetIsTrigger(bool isTrigger);
    bool IsTrigger() const { return trigger; }
    void SetCollisionCategoryBits(std::uint16_t bits);
    std::uint16_t GetCollisionCategoryBits() const { return categoryBits; }
    void SetCollideWithMaskBits(std::uint16_t bits);
    std::uint16_t GetCollideWithMaskBits() const { return maskBits; }
    void SetFrictionCoefficient(float friction);
    float GetFrictionCoefficient() const { return friction; }
    void SetBounciness(float bounciness);
    float GetBounciness() const { return bounciness; }

    /// The trigger's own collision object (null for solid colliders).
    btCollisionObject* GetTriggerObject() const { return triggerObject.get(); }

private:
    friend class RigidBody;
    friend class PhysicsWorld;
    Collider(RigidBody& body, CollisionShape* shape, const Transform& localTransform, float friction,
             float bounciness);
    /// Registers the collision object that carries this collider again under its current filter.
    void Reregister();

    RigidBody& body;
    CollisionShape* shape;
    Transform localTransform;
    bool trigger = false;
    std::uint16_t categoryBits = 0x0001;
    std::uint16_t maskBits = 0xFFFF;
    float friction;
    float bounciness;
    std::unique_ptr<btCollisionObject> triggerObject;
};
