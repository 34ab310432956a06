#pragma once
// Ray casts through the physics world: every collider the segment crosses is reported to
// a callback, whose answer steers the rest of the cast.

#include "physics/PhysicsTypes.h"

class Collider;
class RigidBody;

struct Ray {
    Vector3 point1;
    Vector3 point2;
    float maxFraction = 1.0f;
};

struct RaycastInfo {
    Vector3 worldPoint;
    Vector3 worldNormal;
    /// Position of the hit along the ray: 0 at point1, 1 at point2.
    float hitFraction = 0.0f;
    Collider* collider = nullptr;
    RigidBody* body = nullptr;
};

class RaycastCallback {
public:
    virtual ~RaycastCallback() = default;
    /// Answer < 0 to ignore this collider and go on, 0 to stop the cast, or f in (0, 1]
    /// to clip the ray to that fraction and go on.
    virtual float NotifyRaycastHit(const RaycastInfo& info) = 0;
};
