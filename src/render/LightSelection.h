#pragma once
// Which point lights shade a moving object: the few that reach it most strongly are lit per
// pixel, and the rest are summed once per object and frame into one light without a direction.

#include "core/MathTypes.h"

#include <vector>

struct PointLight;

struct ObjectLights {
    /// Strongest first; ties keep the order of the world's list.
    std::vector<const PointLight*> strongest;
    /// The other lights' colour times attenuation at the object, summed.
    Vec3 rest{0.0f, 0.0f, 0.0f};
};

/// How much of `light` arrives at `at`: its colour times its attenuation there.
Vec3 LightArrivingAt(const PointLight& light, const Vec3& at);
/// The `limit` lights arriving most strongly at `at` (by their brightest channel) and the sum of
/// the others; a limit of 0 or less keeps every light per pixel and leaves nothing in `rest`.
ObjectLights SelectLights(const std::vector<PointLight*>& lights, const Vec3& at, int limit);
