#include "render/SceneLighting.h"

#include "render/BakedLight.h"
#include "render/GraphicsSettings.h"
#include "render/LightSelection.h"
#include "render/Lights.h"
#include "render/Mesh.h"
#include "render/PointLightMap.h"
#include "render/ShaderHandler.h"
#include "render/SkyColours.h"

namespace {

constexpr int kLevelHighlights = 2;

void SetLightArrays(UniformStore& store, const char* prefix, const std::vector<const PointLight*>& lights) {
    std::vector<Vec3> positions, colors, attenuations;
    for (const PointLight* light : lights) {
        positions.push_back(light->position);
        colors.push_back(light->color);
        attenuations.push_back(light->attenuation);
    }
    const std::string name(prefix);
    if (!lights.empty()) {
        store.SetVec3Array(name + "Positions", positions);
        store.SetVec3Array(name + "Colors", colors);
        store.SetVec3Array(name + "Attenuations", attenuations);
    }
    store.SetInt(name + "Count", static_cast<GLint>(lights.size()));
}

} // namespace

void PrepareSceneLighting(const ConfigHandler& config) {
    GraphicsSettings& settings = GraphicsSettings::Current();
    settings.Load(config);
    if (settings.lightMap) {
        LevelProgram();
        BakedLight& baked = BakedLight::GetInstance();
        baked.Prepare();
        // Without its light map (the line naming the file is printed) the level is lit as before.
        if (baked.Width() < 2 || baked.Height() < 2)
            settings.lightMap = false;
        else
            PointLightMap::GetInstance().Prepare(baked.Width(), baked.Height());
    }
    UniformStore& globals = ShaderHandler::GetInstance().globalUniforms;
    globals.SetVec3("fogColour", kSkyHorizonColour);
    globals.SetFloat("fogDensity", settings.fog ? GraphicsSettings::kFogDensity : 0.0f);
    globals.SetInt("floorGrid", settings.floorGrid ? 1 : 0);
}

void ApplySceneLightingSettings(const ConfigHandler& config) {
    GraphicsSettings& settings = GraphicsSettings::Current();
    // The level chose its way of lighting when it was built: the light map stays as it was.
    const bool lightMap = settings.lightMap;
    settings.Load(config);
    settings.lightMap = lightMap;
    UniformStore& globals = ShaderHandler::GetInstance().globalUniforms;
    globals.SetFloat("fogDensity", settings.fog ? GraphicsSettings::kFogDensity : 0.0f);
    globals.SetInt("floorGrid", settings.floorGrid ? 1 : 0);
}

void UpdateSceneLighting(const Mesh* level, const std::vector<PointLight*>& lights, const Vec3& camera) {
    if (!GraphicsSettings::Current().lightMap)
        return;
    if (level != nullptr)
        PointLightMap::GetInstance().Update(*level, lights);
    const ObjectLights highlights = SelectLights(lights, camera, kLevelHighlights);
    SetLightArrays(ShaderHandler::GetInstance().globalUniforms, "highlight", highlights.strongest);
}

void SetObjectLighting(const std::vector<PointLight*>& lights, const Vec3& at) {
    const GraphicsSettings& settings = GraphicsSettings::Current();
    ObjectLights chosen = SelectLights(lights, at, settings.lightsPerObject);
    if (chosen.strongest.size() > static_cast<std::size_t>(GraphicsSettings::kMaxLightsPerObject))
        chosen.strongest.resize(GraphicsSettings::kMaxLightsPerObject);
    UniformStore& draw = ShaderHandler::GetInstance().drawUniforms;
    SetLightArrays(draw, "objectLight", chosen.strongest);
    draw.SetVec3("objectRestLight", chosen.rest);
    const float sunVisibility =
        settings.lightMap ? BakedLight::GetInstance().SunVisibilityAt(at.x, at.z) : 1.0f;
    draw.SetFloat("sunShadow", 1.0f - sunVisibility);
}

void SetEveryLightLighting() {
    // No chosen lights makes the shader walk the whole list; the arrays keep their last values.
    UniformStore& draw = ShaderHandler::GetInstance().drawUniforms;
    SetLightArrays(draw, "objectLight", {});
    draw.SetVec3("objectRestLight", Vec3{0.0f, 0.0f, 0.0f});
    draw.SetFloat("sunShadow", 0.0f);
}
