#pragma once
// The arena everything stands on: the level mesh on a static body with a concave collider
// built from that same mesh (the drawn-only hazard lips are not part of it). Shots at it only
// say so.

#include "game/GameObject.h"

#include <array>

struct Level : GameObject {
    static constexpr const char* kModelPath = "assets/models/Map1.obj";
    /// Where the player waits on the start screen and drops in at the start of each game.
    static constexpr Vec3 kPlayerStart{0.0f, 3.0f, 0.0f};
    /// The health orbs every game begins with, on the floor, in the order they are made.
    static constexpr std::array<Vec3, 3> kPickupSpots{
        {{-15.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 15.0f}, {15.0f, 0.0f, 0.0f}}};
    struct Lamp {
        Vec3 colour;
        Vec3 position;
    };
    /// The two coloured lamps above the arena.
    static constexpr std::array<Lamp, 2> kLamps{
        {{{0.0f, 1.0f, 1.0f}, {5.0f, 5.0f, 0.0f}}, {{1.0f, 0.0f, 1.0f}, {-5.0f, 5.0f, 0.0f}}}};

    Level();
    /// Its hazard lips, which have no collider, then the level.
    void Draw() override;
    void TakeDamage(float amount) override;
};
