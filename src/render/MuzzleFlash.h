#pragma once
// Draws the flash of a shot at the gun's muzzle: a wide soft glow that brightens the gun around
// it and a small rayed sprite, both added onto the picture and facing the camera. Squares made
// in the vertex stage, so it owns no GL objects of its own; it lights nothing in the scene.

#include "core/MathTypes.h"
#include "render/UniformStore.h"

class MuzzleFlash {
public:
    static MuzzleFlash& GetInstance();
    /// Builds the program now, so that the first shot of a game compiles nothing.
    void Prepare();
    /// The flash at a world point with strength 0..1 (nothing at 0); `turn` turns its rays.
    void Draw(const Vec3& muzzle, float strength, float turn);

    static constexpr float kSpriteSize = 0.5f;
    static constexpr float kGlowSize = 1.6f;

private:
    MuzzleFlash() = default;
    UniformStore uniforms;
};
