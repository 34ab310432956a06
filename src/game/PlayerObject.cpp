#include "game/PlayerObject.h"

#include "core/ConfigHandler.h"
#include "core/InputHandler.h"
#include "game/BonkeyGun.h"
#include "game/ColliderRaycast.h"
#include "game/CollisionCategories.h"
#include "game/GameEvents.h"
#include "game/GamePause.h"
#include "game/GameWorld.h"
#include "physics/Collider.h"
#include "physics/RigidBody.h"
#include "render/Camera.h"

#include <iostream>

namespace {
const Vector3 kSpawnPoint(-30.0f, 2.0f, 30.0f);
// Far beyond any sensible tuning, but finite: NaN or infinite forces would wreck the simulation.
constexpr float kControlLimit = 1.0e6f;
} // namespace

PlayerObject::PlayerObject()
    : camera(Camera::GetInstance()), input(InputHandler::GetInstance()),
      config(ConfigHandler::GetInstance()) {
    acceleration =
        config.GetFloatInRange("Controls.acceleration", acceleration, -kControlLimit, kControlLimit);
    drag = config.GetFloatInRange("Controls.drag", drag, -kControlLimit, kControlLimit);
    maxSpeed = config.GetFloatInRange("Controls.maxSpeed", maxSpeed, 0.0f, kControlLimit);
    maxAirSpeed = config.GetFloatInRange("Controls.maxAirSpeed", maxAirSpeed, 0.0f, kControlLimit);
    jumpForce = config.GetFloatInRange("Controls.jumpForce", jumpForce, -kControlLimit, kControlLimit);

    body->SetTransform(MakeTransform(kSpawnPoint));
    // Never rotating keeps the body's frame equal to the world's, so local forces are world forces.
    body->SetAngularLockAxisFactor(Vector3(0.0f, 0.0f, 0.0f));
    Collider* capsule = AddCapsuleCollider(kCapsuleRadius, kCapsuleHeight, Transform::getIdentity());
    // No bounce off the floor and no friction: walking and braking are the controller's alone.
    capsule->SetBounciness(0.0f);
    capsule->SetFrictionCoefficient(0.0f);
    SetCollisionCategoryBits(CollisionCategory::kPlayer);
    SetCollideWithMaskBits(CollisionCategory::kPlayerMask);

    weapons.push_back(std::make_unique<BonkeyGun>());

    input.RegisterAction(Action::Jump, [this] { Jump(); });
    input.RegisterAction(Action::Shoot, [this] { Fire(); });
}

void PlayerObject::Update(float) {
    // The step about to run takes whatever push is pending; a press after it may push again.
    jumpedThisStep = false;
    // Every step spent below the limit reports the death again, until the next game moves us up.
    if (GetPosition().y() < kFallLimit)
        Destroy();
    Move();
    camera.SetPosition(ToVec3(GetPosition() + Vector3(0.0f, kEyeHeight, 0.0f)));
}

void PlayerObject::Destroy() {
    std::cout << "Player destroyed" << std::endl;
    GameWorld::GetInstance().GetEvents().Add(PlayerDied{});
}

void PlayerObject::Move() {
    const Vector3 view = GetUnit(ToVector3(camera.GetForward()));
    const Vector3 forward = GetUnit(Vector3(view.x(), 0.0f, view.z()));
    const Vector3 left = GetUnit(Vector3(view.z(), 0.0f, -view.x()));

    Vector3 direction(0.0f, 0.0f, 0.0f);
    if (input.IsHeld(Action::Forward))
        direction += forward;
    if (input.IsHeld(Action::Back))
        direction -= forward;
    if (input.IsHeld(Action::Left))
        direction += left;
    if (input.IsHeld(Action::Right))
        direction -= left;

    // Normalised, so a diagonal pushes no harder than a straight line and opposite keys cancel.
    if (direction.length2() >= kVectorEpsilon) {
        const float length = direction.length();
        if (length >= kVectorEpsilon)
            direction /= length;
        body->ApplyLocalForceAtCenterOfMass(direction * acceleration);
    }

    const Vector3 velocity = body->GetLinearVelocity();
    Vector3 brake(-velocity.x(), 0.0f, -velocity.z());
    const float slide = brake.length();
    // A constant brake would overshoot a slow drift into a shuffle back and forth: stop it dead.
    if (slide < kStopSpeed) {
        body->SetLinearVelocity(Vector3(0.0f, velocity.y(), 0.0f));
        return;
    }
    if (slide >= kVectorEpsilon)
        brake /= slide;
    body->ApplyLocalForceAtCenterOfMass(brake * drag);

    const Vector3 current = body->GetLinearVelocity();
    Vector3 heading(current.x(), 0.0f, current.z());
    const float speed = heading.length();
    if (speed >= kVectorEpsilon)
        heading /= speed;
    const float cap = IsGrounded() ? maxSpeed : maxAirSpeed;
    // Only the horizontal speed is capped: falling and jumping keep their own pace.
    if (speed > cap)
        body->SetLinearVelocity(Vector3(heading.x() * cap, current.y(), heading.z() * cap));
}

bool PlayerObject::IsGrounded() {
    ColliderRaycast callback;
    const Vector3 start = GetPosition();
    // The ray starts inside our own capsule, which the ray test never reports.
    const Ray ray{start, start + Vector3(0.0f, -kGroundRayLength, 0.0f), 1.0f};
    GameWorld::GetInstance().Raycast(ray, &callback);
    return callback.hit;
}

void PlayerObject::Jump() {
    if (GamePause::GetInstance().IsPaused())
        return;
    // Presses reach us as events, several of them before one step when a frame is slow; each
    // would add its push to the same step and throw the player over the walls.
    if (jumpedThisStep || !IsGrounded())
        return;
    body->ApplyLocalForceAtCenterOfMass(Vector3(0.0f, jumpForce, 0.0f));
    jumpedThisStep = true;
}

void PlayerObject::Fire() {
    if (GamePause::GetInstance().IsPaused())
        return;
    if (Weapon* weapon = GetCurrentWeapon())
        weapon->Fire();
}
