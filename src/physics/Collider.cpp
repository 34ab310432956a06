#include "physics/Collider.h"

#include "physics/PhysicsCommon.h"
#include "physics/PhysicsWorld.h"
#include "physics/RigidBody.h"

#include <btBulletDynamicsCommon.h>

Collider::Collider(RigidBody& body, CollisionShape* shape, const Transform& localTransform, float friction,
                   float bounciness)
    : body(body), shape(shape), localTransform(localTransform), friction(friction), bounciness(bounciness) {}

Collider::~Collider() {
    if (triggerObject)
        body.world.GetBulletWorld()->removeCollisionObject(triggerObject.get());
}

void Collider::SetIsTrigger(bool isTrigger) {
    if (isTrigger == trigger)
        return;
    trigger = isTrigger;
    btDiscreteDynamicsWorld* bulletWorld = body.world.GetBulletWorld();
    if (trigger) {
        // A trigger of its own: Bullet filters and responds per collision object, and a trigger
        // must neither push nor be pushed, nor share the filter of the body's solid shape.
        triggerObject = std::make_unique<btCollisionObject>();
        triggerObject->setCollisionShape(shape->GetBulletShape());
        triggerObject->setCollisionFlags(triggerObject->getCollisionFlags() |
                                         btCollisionObject::CF_NO_CONTACT_RESPONSE);
        triggerObject->setUserPointer(this);
        // Never asleep, so a body resting inside it keeps being reported.
        triggerObject->forceActivationState(DISABLE_DEACTIVATION);
        triggerObject->setFriction(friction);
        triggerObject->setRestitution(bounciness);
        triggerObject->setWorldTransform(body.GetTransform() * localTransform);
        bulletWorld->addCollisionObject(triggerObject.get(), categoryBits, maskBits);
    } else {
        bulletWorld->removeCollisionObject(triggerObject.get());
        triggerObject.reset();
    }
    body.RebuildSolidShape();
}

void Collider::SetCollisionCategoryBits(std::uint16_t bits) {
    categoryBits = bits;
    Reregister();
}

void Collider::SetCollideWithMaskBits(std::uint16_t bits) {
    maskBits = bits;
    Reregister();
}

void Collider::SetFrictionCoefficient(float value) {
    friction = value;
    if (triggerObject)
        triggerObject->setFriction(value);
    else
        body.ApplyMaterial();
}

void Collider::SetBounciness(float value) {
    bounciness = value;
    if (triggerObject)
        triggerObject->setRestitution(value);
    else
        body.ApplyMaterial();
}

void Collider::Reregister() {
    if (!triggerObject) {
        body.Reregister();
        return;
    }
    // The broadphase keeps the filter in the proxy; re-adding rebuilds the proxy and drops the
    // pairs made under the old filter.
    btDiscreteDynamicsWorld* bulletWorld = body.world.GetBulletWorld();
    bulletWorld->removeCollisionObject(triggerObject.get());
    bulletWorld->addCollisionObject(triggerObject.get(), categoryBits, maskBits);
}
