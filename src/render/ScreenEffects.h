#pragma once
// Draws what lies over the finished picture for the player's sake: the red vignette of being
// hurt, brighter on the side the hit came from, and the hit marker around the crosshair. One
// full-screen triangle made in the vertex stage, so it owns no GL objects of its own.

#include "core/MathTypes.h"
#include "render/UniformStore.h"

struct ScreenEffectsFrame {
    /// 0..1; 0 draws no vignette.
    float hurt = 0.0f;
    /// Unit direction on the screen towards the hit's source ((0, 1) is ahead), or (0, 0).
    Vec2 hurtDirection;
    /// 0..1; 0 draws no marker.
    float marker = 0.0f;
    bool markerKill = false;
};

class ScreenEffects {
public:
    static ScreenEffects& GetInstance();
    /// Builds the program now, so that the first hit of a game compiles nothing.
    void Prepare();
    /// Draws over the whole viewport; nothing when no effect shows.
    void Draw(const ScreenEffectsFrame& frame);

private:
    ScreenEffects() = default;
    UniformStore uniforms;
};
