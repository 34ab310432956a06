#include "game/Enemy.h"

#include "core/Random.h"
#include "game/GameWorld.h"
#include "game/PickupObject.h"
#include "game/PlayerObject.h"
#include "render/ModelHandler.h"
#include "render/ParticleSystem.h"

#include <iostream>
#include <string>

Enemy::Enemy() : target(GameWorld::GetInstance().GetPlayer()), models(ModelHandler::GetInstance()) {
    // The counter already includes this object, so the number is one past the base name's.
    name = "Enemy" + std::to_string(GameWorld::GetInstance().GetObjectCounter());
}

void Enemy::Update(float) {}

bool Enemy::DropsPickup(int draw) {
    return draw / static_cast<double>(kRandomMax) > kPickupDropThreshold;
}

void Enemy::Destroy() {
    const Vector3 position = GetPosition();
    // The burst registers itself with the particle registry, which frees it.
    new ParticleSystem(ToVec3(position));
    if (DropsPickup(Random())) {
        new PickupObject(position);
        std::cout << "spawned health pickup" << std::endl;
    }
    GameObject::Destroy();
}
