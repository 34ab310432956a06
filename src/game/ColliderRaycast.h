#pragma once
// The ground test's ray-cast callback: all it needs to know is whether anything at all lies
// under the player, so the first report ends the cast.

#include "physics/Raycast.h"

struct ColliderRaycast : RaycastCallback {
    /// Records the hit and stops the cast.
    float NotifyRaycastHit(const RaycastInfo&) override {
        hit = true;
        return 0.0f;
    }

    bool hit = false;
};
