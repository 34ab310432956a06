#pragma once
// The one enemy kind: a ball that pushes itself towards the player every step, braking its
// sideways drift, with a trigger sensor that tells the contact listener it touched the player.

#include "game/Enemy.h"

struct BasicEnemy : Enemy {
    /// An enemy at `position`; `health` is truncated to whole points (the maximum stays 100).
    BasicEnemy(const Vector3& position, float chaseForce, float health);

    /// The chase: a push towards the target in the ground plane with a small upward share,
    /// then braking of the horizontal motion (or a dead stop when it is slow).
    void Update(float dt) override;

    static constexpr const char* kModelPath = "assets/models/1ball.obj";
    /// The same ball with a quarter of the triangles, drawn from kFarModelDistance on: there its
    /// outline is within about half a pixel of the full ball's at 600 pixels and a 90 degree view.
    static constexpr const char* kFarModelPath = "assets/models/1ball_far.obj";
    static constexpr float kFarModelDistance = 10.0f;
    static constexpr float kSensorRadius = 1.1f;
    static constexpr float kBodyRadius = 1.0f;
    /// The vertical part of the chase direction before it is normalised: it lifts the push
    /// more and more as the enemy closes in.
    static constexpr float kUpwardShare = 0.5f;
    /// Below this horizontal speed the enemy stops drifting instead of being braked.
    static constexpr float kStopSpeed = 0.5f;

    float chaseForce;

protected:
    ~BasicEnemy() override = default;
};
