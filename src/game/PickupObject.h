#pragma once
// A health pickup: a green, glowing orb fixed in place on a trigger sphere that only the
// player's capsule can overlap. The contact listener heals the player and consumes it.

#include "game/GameObject.h"

#include "core/MathTypes.h"

struct PickupObject : GameObject {
    /// A static pickup at `position` with its own green point light there.
    explicit PickupObject(const Vector3& position);

    /// Shots do not hurt a pickup: it only says it was hit.
    void TakeDamage(float amount) override;

    /// The contact listener recognises pickups by exactly this name.
    static constexpr const char* kName = "Pickup";
    static constexpr const char* kModelPath = "assets/models/sphere.obj";
    static constexpr float kTriggerRadius = 1.1f;
    static constexpr Vec3 kLightColor{0.0f, 1.0f, 0.0f};
    /// The orb's diffuse colour, 8 bits a channel.
    static constexpr unsigned char kOrbRed = 0, kOrbGreen = 255, kOrbBlue = 0;
    static constexpr Vec3 kLightAttenuation{1.0f, 0.03f, 0.001f};

protected:
    ~PickupObject() override = default;
};
