#include "game/ContactShadowCasters.h"

#include "game/BasicEnemy.h"
#include "game/CollisionCategories.h"
#include "game/GameObject.h"
#include "game/PickupObject.h"
#include "physics/PhysicsWorld.h"
#include "physics/Raycast.h"

namespace {

// The orb's mesh is a ball of this radius resting on its placement point; its bobbing and
// pulsing are left to the shader.
constexpr float kOrbRadius = 0.5f;

/// The nearest level surface the ray meets.
struct NearestSurface : RaycastCallback {
    float NotifyRaycastHit(const RaycastInfo& info) override {
        if (!found || info.hitFraction < fraction) {
            found = true;
            fraction = info.hitFraction;
            point = info.worldPoint;
            normal = info.worldNormal;
        }
        // Only nearer hits matter from here on.
        return info.hitFraction;
    }

    bool found = false;
    float fraction = 1.0f;
    Vector3 point;
    Vector3 normal;
};

/// The ball an object shows: its centre and radius (0 for objects that cast no blob).
struct ShownBall {
    Vector3 centre;
    float radius = 0.0f;
};

ShownBall BallOf(const GameObject* object) {
    const Vector3 position = object->GetPosition();
    if (dynamic_cast<const Enemy*>(object) != nullptr)
        return {position, BasicEnemy::kBodyRadius};
    if (dynamic_cast<const PickupObject*>(object) != nullptr)
        return {position + Vector3(0.0f, kOrbRadius, 0.0f), kOrbRadius};
    return {};
}

} // namespace

std::vector<ContactShadow> FindContactShadows(const std::vector<GameObject*>& objects, PhysicsWorld& world) {
    std::vector<ContactShadow> shadows;
    for (const GameObject* object : objects) {
        const ShownBall ball = BallOf(object);
        if (ball.radius <= 0.0f)
            continue;
        // From the ball's top, so that a ball sunk into the floor still finds it, down to where
        // the blob would have faded out anyway.
        const Vector3 top = ball.centre + Vector3(0.0f, ball.radius, 0.0f);
        const Vector3 below = ball.centre - Vector3(0.0f, ball.radius + ContactShadow::kFadeHeight, 0.0f);
        NearestSurface surface;
        world.Raycast(Ray{top, below}, &surface, CollisionCategory::kLevel);
        if (!surface.found)
            continue;
        if (const auto shadow = ContactShadow::Under(ToVec3(ball.centre), ball.radius, ToVec3(surface.point),
                                                     ToVec3(surface.normal)))
            shadows.push_back(*shadow);
    }
    return shadows;
}
