#include "render/LightSelection.h"

#include "render/Lights.h"

#include <algorithm>

Vec3 LightArrivingAt(const PointLight& light, const Vec3& at) {
    const float d = Length(light.position - at);
    const Vec3 k = light.attenuation;
    const float attenuation = 1.0f / std::max(k.x + d * (k.y + k.z * d), 1e-4f);
    return light.color * attenuation;
}

ObjectLights SelectLights(const std::vector<PointLight*>& lights, const Vec3& at, int limit) {
    ObjectLights selection;
    if (limit <= 0) {
        selection.strongest.assign(lights.begin(), lights.end());
        return selection;
    }
    struct Candidate {
        const PointLight* light;
        Vec3 arriving;
        float strength;
    };
    std::vector<Candidate> candidates;
    candidates.reserve(lights.size());
    for (const PointLight* light : lights) {
        const Vec3 arriving = LightArrivingAt(*light, at);
        candidates.push_back({light, arriving, std::max({arriving.x, arriving.y, arriving.z})});
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.strength > b.strength; });
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (i < static_cast<std::size_t>(limit))
            selection.strongest.push_back(candidates[i].light);
        else
            selection.rest = selection.rest + candidates[i].arriving;
    }
    return selection;
}
