#include "render/GraphicsSettings.h"

#include "core/ConfigHandler.h"

#include <iostream>

GraphicsSettings& GraphicsSettings::Current() {
    static GraphicsSettings settings;
    return settings;
}

void GraphicsSettings::Load(const ConfigHandler& config) {
    const GraphicsSettings defaults;
    lightMap = config.GetBool("Graphics.lightMap", defaults.lightMap);
    // A count like the window's size: a value that is no whole number gives the default, and one
    // the shaders cannot hold is named on one line.
    lightsPerObject = config.GetInt("Graphics.lightsPerObject", defaults.lightsPerObject);
    if (lightsPerObject < 0 || lightsPerObject > kMaxLightsPerObject) {
        std::cout << "Graphics.lightsPerObject = " << lightsPerObject << " cannot be used (allowed 0 to "
                  << kMaxLightsPerObject << "); using " << defaults.lightsPerObject << std::endl;
        lightsPerObject = defaults.lightsPerObject;
    }
    fog = config.GetBool("Graphics.fog", defaults.fog);
    floorGrid = config.GetBool("Graphics.floorGrid", defaults.floorGrid);
    sky = config.GetBool("Graphics.sky", defaults.sky);
    contactShadows = config.GetBool("Graphics.contactShadows", defaults.contactShadows);
}
