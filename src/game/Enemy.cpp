#include "game/Enemy.h"

#include "audio/AudioService.h"
#include "core/Random.h"
#include "game/CombatFeedback.h"
#include "game/GameLoop.h"
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

void Enemy::Update(float) {}

Enemy::~Enemy() {
    CombatFeedback::GetInstance().Forget(this);
}

void Enemy::FlashAt(const Vector3& worldPoint) {
    hitFlashLeft = kHitFlashSeconds;
    hitFlashLocal = body->GetTransform().inverse() * worldPoint;
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
    // The burst registers itself with the particle registry, which frees it.
    new ParticleSystem(ToVec3(position));
    // Only a kill is heard: enemies cleared by a new game or lost below the arena go quietly.
    if (health <= 0) {
        AudioService::GetInstance().Play(Sound::EnemyDeath, ToVec3(position));
        GameLoop::GetInstance().OnEnemyKilled();
        CombatFeedback::GetInstance().OnEnemyKilled();
    }
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
