#pragma once
// The base of every enemy: it knows the player it hunts, and its death leaves a particle
// burst and, now and then, a health pickup where it fell.

#include "game/GameObject.h"

class ModelHandler;

struct Enemy : GameObject {
    Enemy();

    /// The burst, the pickup roll (one random draw after the burst's own; no pickup while the
    /// world is resetting for a new game), then the ordinary destruction that frees the enemy.
    void Destroy() override;

    /// Lights the enemy up around a point of its own frame for kHitFlashSeconds (a shot landed
    /// there); the flash rides on the ball as it rolls. The combat feedback fades it with the drawn
    /// frames.
    void FlashAt(const Vector3& localPoint);
    /// Hands the flash as it is now (strength, and where the hit point has rolled to) to the material.
    void ShowHitFlash();

    /// Whether one random draw (0..32767) leaves a pickup: about three deaths in ten do.
    static bool DropsPickup(int draw);

    /// A draw scaled to 0..1 above this leaves a pickup.
    static constexpr double kPickupDropThreshold = 0.7;
    static constexpr float kBrakingForce = 20.0f;
    static constexpr float kHitFlashSeconds = 0.12f;

    GameObject* target;
    ModelHandler& models;
    float brakingForce = kBrakingForce;
    /// Seconds of hit flash left, and where it was hit in the body's own frame.
    float hitFlashLeft = 0.0f;
    Vector3 hitFlashLocal{0.0f, 0.0f, 0.0f};

protected:
    /// Also at exit, when the world deletes what is left: tells the feedback the enemy is gone.
    ~Enemy() override;
};
