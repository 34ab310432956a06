#pragma once
// The gun the player sees: a static model without colliders that sits ahead and to the right
// of the eye and turns after the view, half-way each step, so it trails quick turns a little.

#include "game/GameObject.h"

class Camera;
struct PlayerObject;

struct GunObject : GameObject {
    GunObject();

    /// Places the gun beside the player's current position and turns it towards the view; reports
    /// where the muzzle now is, for the muzzle flash.
    void Update(float dt) override;
    /// In front of everything drawn before it, lit as the ground around the player is.
    void Draw() override;
    bool DrawnOverScene() const override;

    static constexpr const char* kModelPath = "assets/models/gun.obj";
    static constexpr const char* kAlbedoPath = "assets/textures/gun_albedo.jpg";
    static constexpr const char* kNormalPath = "assets/textures/gun_normal.png";
    static constexpr const char* kMetallicPath = "assets/textures/gun_metallic.jpg";
    static constexpr const char* kRoughnessPath = "assets/textures/gun_roughness.jpg";
    static constexpr const char* kAOPath = "assets/textures/gun_ao.jpg";
    /// Where the gun sits, from the body's centre: right, ahead along the view, and up.
    static constexpr float kRightOffset = 2.0f;
    static constexpr float kAheadOffset = 3.0f;
    static constexpr float kUpOffset = 0.5f;
    /// Slerp rate per second: 30 x 1/60 turns half-way to the view every fixed step.
    static constexpr float kTurnRate = 30.0f;
    /// Just beyond the muzzle brake, in the model's frame (+z along the barrel).
    static constexpr float kMuzzleAhead = 0.8f;
    static constexpr float kMuzzleUp = 0.01f;
    /// The front share of the depth range the gun is drawn into: the world behind it lies
    /// further than any of its own points, so no wall or enemy cuts into it.
    static constexpr double kDepthShare = 0.02;

    PlayerObject* player;
    Camera& camera;
    Quaternion orientation = Quaternion::getIdentity();
};
