#include "render/BakedLight.h"

#include "core/AssetLocator.h"
#include "render/Lights.h"
#include "render/ModelHandler.h"
#include "render/Texture.h"

#include <algorithm>
#include <cmath>
#include <iostream>

BakedLight& BakedLight::GetInstance() {
    static BakedLight instance;
    return instance;
}

void BakedLight::Prepare() {
    if (lightMap == nullptr) {
        lightMap = ModelHandler::GetInstance().GetTexture(kLightMapPath, false);
        glBindTexture(GL_TEXTURE_2D, lightMap->Get());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    if (sunMapSize == 0) {
        // First row at z = -extent, as written.
        const std::string file = AssetLocator::GetInstance().Resolve(kSunMapPath);
        std::string problem;
        const DecodedImage image = DecodeImageFile(file, false, 1, problem);
        if (image.pixels && (image.width != image.height || image.width < 2))
            problem = "not a square map";
        if (!problem.empty()) {
            std::cout << "Failed to load texture " << file << ": " << problem << std::endl;
            sunMapSize = -1;
        } else {
            sunMap.assign(image.pixels.get(),
                          image.pixels.get() + static_cast<std::size_t>(image.width) * image.height);
            sunMapSize = image.width;
        }
    }
}

float BakedLight::SunVisibilityAt(float x, float z) const {
    if (sunMapSize <= 0 || !std::isfinite(x) || !std::isfinite(z))
        return 1.0f;
    const float texel = 2.0f * kSunMapExtent / static_cast<float>(sunMapSize);
    const float fx = (x + kSunMapExtent) / texel - 0.5f;
    const float fz = (z + kSunMapExtent) / texel - 0.5f;
    if (fx < -0.5f || fz < -0.5f || fx > sunMapSize - 0.5f || fz > sunMapSize - 0.5f)
        return 1.0f;
    const int x0 = std::clamp(static_cast<int>(std::floor(fx)), 0, sunMapSize - 1);
    const int z0 = std::clamp(static_cast<int>(std::floor(fz)), 0, sunMapSize - 1);
    const int x1 = std::min(x0 + 1, sunMapSize - 1);
    const int z1 = std::min(z0 + 1, sunMapSize - 1);
    const float tx = std::clamp(fx - static_cast<float>(x0), 0.0f, 1.0f);
    const float tz = std::clamp(fz - static_cast<float>(z0), 0.0f, 1.0f);
    auto at = [&](int i, int k) { return sunMap[static_cast<std::size_t>(k) * sunMapSize + i] / 255.0f; };
    const float top = at(x0, z0) + (at(x1, z0) - at(x0, z0)) * tx;
    const float bottom = at(x0, z1) + (at(x1, z1) - at(x0, z1)) * tx;
    return top + (bottom - top) * tz;
}
