#pragma once
// Bakes the arena's light from its own triangles, ray by ray with Bullet: per light map texel the
// sun's visibility and how much of the sky the surface sees, and from above the sun's visibility
// on the highest surface at each point of the floor plan (for the objects standing there).

#include "LightMapAtlas.h"
#include "MeshBuilder.h"

#include <string>

namespace assetgen {

/// The top-down map: kSunMapSize texels on a side over x and z from -kSunMapExtent to kSunMapExtent
/// (the extent is the game's, in render/Lights.h).
constexpr int kSunMapSize = 256;

/// Writes textures/Map1_light.png (grey: the sun's visibility, alpha: the sky's, laid out as the
/// atlas says) and textures/Map1_sun.png (one channel, the top-down map; first row at z = -64).
bool BakeLevelLight(const MeshBuilder& mesh, const LightMapAtlas& atlas, const std::string& assetsDir);

} // namespace assetgen
