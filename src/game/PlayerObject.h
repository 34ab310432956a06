#pragma once
// The player: an upright capsule walked by forces relative to the view, braked by a constant
// drag, speed-capped (higher in the air), able to jump from the ground and to fire its gun.
// It carries the camera at eye height and lives for the whole program.

#include "game/GameObject.h"

class Camera;
class InputHandler;
class ConfigHandler;

struct PlayerObject : GameObject {
    PlayerObject();

    /// Death below the fall limit, the walking step, then the eye follows the body.
    void Update(float dt) override;
    /// The player outlives every game: its death is only reported, and the game flow ends the game.
    void Destroy() override;
    /// W/S/A/D force along the ground plane, drag, and the horizontal speed cap.
    void Move();
    /// Whether anything lies within reach of a short ray down from the body's centre.
    bool IsGrounded();
    /// A single upward push, only from the ground and at most once a physics step.
    void Jump();
    /// One shot of the current weapon, if there is one.
    void Fire();

    static constexpr float kFallLimit = -30.0f;
    static constexpr float kEyeHeight = 0.8f;
    /// From the centre: 1.0 to the capsule's lowest point, then 0.2 of slack.
    static constexpr float kGroundRayLength = 1.2f;
    /// Below this horizontal speed the player stops dead instead of being braked.
    static constexpr float kStopSpeed = 0.5f;
    static constexpr float kCapsuleRadius = 0.5f;
    static constexpr float kCapsuleHeight = 1.0f;

    Camera& camera;
    InputHandler& input;
    ConfigHandler& config;
    // Defaults for the Controls section of the configuration, which the constructor reads.
    float acceleration = 100.0f;
    float drag = 50.0f;
    float maxSpeed = 10.0f;
    float maxAirSpeed = 15.0f;
    float jumpForce = 700.0f;
    /// A push is waiting for the next physics step.
    bool jumpedThisStep = false;
};
