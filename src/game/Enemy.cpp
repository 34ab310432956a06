#include "game/Enemy.h"

#include "core/Random.h"
#include "game/GameEvents.h"
#include "game/GameWorld.h"
#include "game/PickupObject.h"
#include "game/PlayerObject.h"
#include "physics/RigidBody.h"
#include "render/Materials.h"
#include "render/ModelHandler.h"
#include "render/ParticleSystem.h"

#include <algorithm>
#include <iostream>
#include <string>

Enemy::Enemy() : target(GameWorld::GetInstance().GetPlayer()), models(ModelHandler::GetInstance()) {
    // The counter already includes this object, so the number is one past the base name's.
    name = "Enemy" + std::to_string(GameWorld::GetInstance().GetObjectCounter());
}

Enemy::~Enemy() {
    GameWorld::GetInstance().GetEvents().Add(EnemyGone{this});
}

void Enemy::FlashAt(const Vector3& localPoint) {
    hitFlashLeft = kHitFlashSeconds;
    hitFlashLocal = localPoint;
    ShowHitFlash();
}

void Enemy::ShowHitFlash() {
    auto* skin = dynamic_cast<BasicMaterial*>(material.get());
    if (skin == nullptr || body == nullptr)
        return;
    skin->SetHitFlash(std::max(hitFlashLeft, 0.0f) / kHitFlashSeconds,
                      ToVec3(body->GetTransform() * hitFlashLocal));
}

bool Enemy::DropsPickup(int draw) {
    return draw / static_cast<double>(kRandomMax) > kPickupDropThreshold;
}

void Enemy::Destroy() {
    const Vector3 position = GetPosition();
    // The burst registers itself with the particle registry, which frees it. It is made here and
    // not after the step because it draws from the game's random sequence, before the pickup roll.
    new ParticleSystem(ToVec3(position));
    // Only a kill counts: enemies cleared by a new game or lost below the arena go quietly.
    if (health <= 0)
        GameWorld::GetInstance().GetEvents().Add(EnemyKilled{ToVec3(position)});
    // Rolled even when no orb may come of it, so the games after keep the same random sequence.
    const bool drops = DropsPickup(Random());
    // The start of a new game clears enemies away; an orb left then would outlive the reset's
    // emptying of the lights and sit unlit in a game that never earned it.
    if (drops && !GameWorld::GetInstance().IsResetting()) {
        new PickupObject(position);
        std::cout << "spawned health pickup" << std::endl;
    }
    GameObject::Destroy();
}
