#pragma once
// The base of every enemy: it knows the player it hunts, and its death leaves a particle
// burst and, now and then, a health pickup where it fell.

#include "game/GameObject.h"

class ModelHandler;

struct Enemy : GameObject {
    Enemy();

    void Update(float dt) override;
    /// The burst, the pickup roll (one random draw after the burst's own; no pickup while the
    /// world is resetting for a new game), then the ordinary destruction that frees the enemy.
    void Destroy() override;

    /// Whether one random draw (0..32767) leaves a pickup: about three deaths in ten do.
    static bool DropsPickup(int draw);

    /// A draw scaled to 0..1 above this leaves a pickup.
    static constexpr double kPickupDropThreshold = 0.7;
    static constexpr float kBrakingForce = 20.0f;

    GameObject* target;
    ModelHandler& models;
    float brakingForce = kBrakingForce;

protected:
    ~Enemy() override = default;
};
