#include "game/EnemySpawner.h"

#include "core/Random.h"
#include "game/BasicEnemy.h"
#include "game/GameEvents.h"
#include "game/GameWorld.h"

#include <cmath>
#include <iostream>

EnemySpawner::EnemySpawner(GameObject* player) : player(player) {}

float EnemySpawner::WaveAngle(int draw) {
    return static_cast<float>(draw / kAngleDivisor);
}

float EnemySpawner::WaveDistance(int draw) const {
    return draw / (kRandomMax / (maxSpawnDistance - minSpawnDistance)) + minSpawnDistance;
}

std::int32_t EnemySpawner::WaveSize(int draw) const {
    return minWaveSize + draw % (maxWaveSize - minWaveSize + 1);
}

float EnemySpawner::ChaseForce(int draw) {
    return static_cast<float>(draw / kChaseForceDivisor + kMinChaseForce);
}

void EnemySpawner::Update(float dt) {
    spawnTimer -= dt;
    if (spawnTimer > 0.0f)
        return;

    // The order of the draws is part of the game: one sequence, never seeded, feeds
    // spawns, bursts and drops alike.
    const float angle = WaveAngle(Random());
    const float distance = WaveDistance(Random());
    const Vector3 centre = player->GetPosition();
    const float bx = centre.x() + std::cos(angle) * distance;
    const float bz = centre.z() + std::sin(angle) * distance;
    const std::int32_t count = WaveSize(Random());
    GameWorld::GetInstance().GetEvents().Add(WaveArrived{Vec3{bx, kSpawnHeight, bz}});

    for (std::int32_t i = 0; i < count; ++i) {
        std::cout << "Spawning enemy at " << bx << ", " << bz << std::endl;
        const Vector3 position(static_cast<float>(bx + kWaveSpacing * i), kSpawnHeight,
                               static_cast<float>(bz + kWaveSpacing * i));
        new BasicEnemy(position, ChaseForce(Random()), kEnemyHealth);
        ++spawnedCount;
        // Checked only after a creation: a wave that starts at the cap still sends one.
        if (spawnedCount >= maxEnemies)
            break;
    }

    spawnTimer = spawnInterval;
    spawnInterval -= intervalStep;
    if (spawnInterval < minSpawnInterval)
        spawnInterval = minSpawnInterval;
}
