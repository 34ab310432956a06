#pragma once
// The arena's baked light: the light map the level is drawn with (the sun's visibility and how
// much sky each texel sees) and, kept on the CPU, the sun's visibility on the ground seen from
// above, which moving objects take from the ground under them.

#include "render/Texture.h"

#include <vector>

class BakedLight {
public:
    static constexpr const char* kLightMapPath = "assets/textures/Map1_light.png";
    static constexpr const char* kSunMapPath = "assets/textures/Map1_sun.png";

    static BakedLight& GetInstance();
    /// Loads both images on the first call; the light map is filtered linearly and clamped,
    /// since its charts lie side by side.
    void Prepare();
    /// The light map texture, or null before Prepare.
    TextureHandle LightMap() const { return lightMap; }
    int Width() const { return width; }
    int Height() const { return height; }
    /// The sun's visibility (0 to 1) on the ground under (x, z), filtered between texels; 1
    /// off the map or when the map could not be read.
    float SunVisibilityAt(float x, float z) const;
    /// Forgets the light map texture (the model library deletes it) and the sun map; the next
    /// Prepare reads both again.
    void Release() {
        lightMap = nullptr;
        sunMap.clear();
        sunMapSize = 0;
    }

private:
    BakedLight() = default;
    TextureHandle lightMap = nullptr;
    int width = 0;
    int height = 0;
    std::vector<unsigned char> sunMap;
    int sunMapSize = 0;
};
