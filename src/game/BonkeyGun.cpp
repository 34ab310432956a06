#include "game/BonkeyGun.h"

#include "game/Enemy.h"
#include "game/GameEvents.h"
#include "game/GameObject.h"
#include "game/GameWorld.h"
#include "physics/RigidBody.h"
#include "render/Camera.h"

#include <iostream>

float BonkeyGun::Fire() {
    const Vector3 origin = ToVector3(camera.GetPosition());
    const Vector3 direction = ToVector3(camera.GetForward());
    const Ray ray{origin, origin + direction * range, 1.0f};
    GameWorld::GetInstance().GetEvents().Add(ShotFired{camera.GetPosition()});
    GameWorld::GetInstance().Raycast(ray, this);
    ApplyHit();
    ClearHit();
    return rayAnswer;
}

void BonkeyGun::PrintStatus() {
    std::cout << kName << " " << gauge << "/100" << std::endl;
}

float BonkeyGun::GetDamage() {
    return hitDamage;
}

std::vector<std::string> BonkeyGun::GetStats() {
    return DescribeAs(kName, hitDamage);
}

bool BonkeyGun::HasHit() {
    return hit;
}

void BonkeyGun::ApplyHit() {
    if (hitBody == nullptr)
        return;
    GameWorld& world = GameWorld::GetInstance();
    if (GameObject* target = world.FindObjectByBody(hitBody)) {
        // Before the damage: a kill frees the enemy inside TakeDamage.
        if (auto* enemy = dynamic_cast<Enemy*>(target))
            world.GetEvents().Add(
                EnemyHit{enemy, ToVec3(hitPoint), enemy->body->GetTransform().inverse() * hitPoint});
        target->TakeDamage(hitDamage);
    }
}

float BonkeyGun::NotifyRaycastHit(const RaycastInfo& info) {
    // The physics world reports colliders in no particular order along the ray. Taking the
    // last report would let a wall behind an enemy soak up the shot, or an enemy hidden
    // behind a wall take it, so only the nearest report is kept. The ray is never clipped
    // (the answer stays negative), so every collider on it is still reported.
    if (!hit || info.hitFraction < hitFraction) {
        hitPoint = info.worldPoint;
        hitBody = info.body;
        hitFraction = info.hitFraction;
    }
    hit = true;
    return rayAnswer;
}

void BonkeyGun::ClearHit() {
    hit = false;
    hitBody = nullptr;
    hitFraction = 1.0f;
}
