#include "render/GraphicsSettings.h"

#include "core/ConfigHandler.h"

GraphicsSettings& GraphicsSettings::Current() {
    static GraphicsSettings settings;
    return settings;
}

void GraphicsSettings::Load(const ConfigHandler& config) {
    const GraphicsSettings defaults;
    lightMap = config.GetBool("Graphics.lightMap", defaults.lightMap);
    lightsPerObject = static_cast<int>(config.GetFloatInRange("Graphics.lightsPerObject",
                                                              static_cast<float>(defaults.lightsPerObject),
                                                              0.0f, static_cast<float>(kMaxLightsPerObject)));
    fog = config.GetBool("Graphics.fog", defaults.fog);
    floorGrid = config.GetBool("Graphics.floorGrid", defaults.floorGrid);
}
