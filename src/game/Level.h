#pragma once
// The arena everything stands on: the level mesh on a static body with a concave collider
// built from that same mesh (the drawn-only hazard lips are not part of it). Shots at it only
// say so.

#include "game/GameObject.h"

struct Level : GameObject {
    static constexpr const char* kModelPath = "assets/models/Map1.obj";

    Level();
    void Update(float dt) override;
    /// The level, then its hazard lips, which have no collider.
    void Draw() override;
    void TakeDamage(float amount) override;
};
