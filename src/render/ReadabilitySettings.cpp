#include "render/ReadabilitySettings.h"

#include "core/ConfigHandler.h"

ReadabilitySettings& ReadabilitySettings::Current() {
    static ReadabilitySettings settings;
    return settings;
}

void ReadabilitySettings::Load(const ConfigHandler& config) {
    const ReadabilitySettings defaults;
    gunOverScene = config.GetBool("Graphics.gunOverScene", defaults.gunOverScene);
    levelTextures = config.GetBool("Graphics.levelTextures", defaults.levelTextures);
    hazardMarkings = config.GetBool("Graphics.hazardMarkings", defaults.hazardMarkings);
    enemyPattern = config.GetBool("Graphics.enemyPattern", defaults.enemyPattern);
    textOutline = config.GetBool("Display.textOutline", defaults.textOutline);
    drawnCrosshair = config.GetBool("Display.drawnCrosshair", defaults.drawnCrosshair);
    threatMarkers = config.GetBool("Display.threatMarkers", defaults.threatMarkers);
    waveWarning = config.GetBool("Display.waveWarning", defaults.waveWarning);
}
