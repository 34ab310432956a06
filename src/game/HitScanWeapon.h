#pragma once
// A weapon whose shot is one ray from the eye along the view: the physics world reports what
// the ray crosses, and the weapon decides what it hit and deals the damage.

#include "game/Weapon.h"
#include "physics/PhysicsTypes.h"
#include "physics/Raycast.h"

class Camera;
class RigidBody;

class HitScanWeapon : public Weapon, public RaycastCallback {
public:
    HitScanWeapon();

    /// Whether the current shot's ray reported anything.
    virtual bool HasHit() = 0;
    /// Deals the shot's damage to whatever the current shot hit.
    virtual void ApplyHit() = 0;

    /// Marks a hit and stops the cast at its first report.
    float NotifyRaycastHit(const RaycastInfo& info) override;

    static constexpr float kRange = 100.0f;

    float range = kRange;
    Camera& camera;
    bool hit = false;
    Vector3 hitPoint{0.0f, 0.0f, 0.0f};
    RigidBody* hitBody = nullptr;
};
