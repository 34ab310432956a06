#pragma once
// The light records the scene is lit by: one directional light and any number of point lights.

#include "core/MathTypes.h"

struct DirectionalLight {
    Vec3 color{1.0f, 1.0f, 1.0f};
    Vec3 direction{1.0f, 1.0f, 1.0f};
};

struct PointLight {
    Vec3 color{1.0f, 1.0f, 1.0f};
    Vec3 position{0.0f, 0.0f, 0.0f};
    /// Constant, linear and quadratic attenuation coefficients.
    Vec3 attenuation{1.0f, 0.0f, 0.0f};
};

/// The arena's sun: where its light comes from and how bright it is. The level's light map is
/// baked for this direction and the sky draws the sun opposite it, so both read it from here.
inline constexpr Vec3 kSunDirection{-0.3f, -1.0f, -0.5f};
inline constexpr Vec3 kSunColour{0.5f, 0.5f, 0.5f};

/// The sun's visibility seen from above is baked over x and z from -kSunMapExtent to
/// kSunMapExtent (the arena's floor plan); objects take it from the ground under them.
inline constexpr float kSunMapExtent = 64.0f;
