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
