#pragma once
// Sends enemies in waves: after each interval a group of three to five appears at a random
// point around the player, high above the ground, and the intervals shrink wave by wave.

#include <cstdint>

struct GameObject;

struct EnemySpawner {
    /// A spawner for a new game: the first wave comes after the first full interval.
    explicit EnemySpawner(GameObject* player);

    /// Counts down by `dt` and, once the timer has run out, sends one wave.
    void Update(float dt);

    /// The wave's direction from one draw (0..32767): spread over 0..360 and, as the game
    /// has always done, taken as radians.
    static float WaveAngle(int draw);
    /// The wave's distance from the player from one draw: minSpawnDistance..maxSpawnDistance.
    float WaveDistance(int draw) const;
    /// The number of enemies in a wave from one draw: minWaveSize..maxWaveSize.
    std::int32_t WaveSize(int draw) const;
    /// A new enemy's chase force from one draw: 27..32.
    static float ChaseForce(int draw);

    /// Maps a draw of 0..32767 onto 0..360.
    static constexpr double kAngleDivisor = 91.01945;
    /// Maps a draw of 0..32767 onto 0..5 of extra chase force.
    static constexpr double kChaseForceDivisor = 6553.4;
    static constexpr double kMinChaseForce = 27.0;
    static constexpr float kSpawnHeight = 20.0f;
    /// Enemies of a wave stand this far apart along the (+x, +z) diagonal.
    static constexpr double kWaveSpacing = 1.5;
    static constexpr float kEnemyHealth = 100.0f;

    GameObject* player;
    float spawnInterval = 20.0f;
    float minSpawnInterval = 3.0f;
    float spawnTimer = 20.0f;
    float intervalStep = 0.1f;
    float minSpawnDistance = 10.0f;
    float maxSpawnDistance = 20.0f;
    std::int32_t minWaveSize = 3;
    std::int32_t maxWaveSize = 5;
    std::int32_t maxEnemies = 100;
    /// Every enemy this spawner made; it never goes down.
    std::int32_t spawnedCount = 0;
};
