#pragma once
// The [Graphics] settings of the lit arena, read once at start-up. With every effect off the game
// is drawn as it was before them: the level lit per pixel by every light, no fog, no tile lines.

class ConfigHandler;

struct GraphicsSettings {
    /// The level drawn from its baked light map (sun shadows, sky occlusion) and the point
    /// lights' texture, with highlights from the two lights shining most where the camera is.
    bool lightMap = true;
    /// Point lights per pixel on enemies, orbs and the gun; the rest light them as one term
    /// per object and frame. 0 lights them by every light per pixel.
    int lightsPerObject = 3;
    bool fog = true;
    bool floorGrid = true;
    /// The gradient sky with the sun's disc behind the scene; off leaves the clear colour.
    bool sky = true;
    /// The soft dark blobs under enemies, orbs and the player.
    bool contactShadows = true;

    static constexpr int kMaxLightsPerObject = 32;
    /// Fog reaches 1 - 1/e of the way to the horizon colour at 1 / kFogDensity units.
    static constexpr float kFogDensity = 1.0f / 110.0f;

    static GraphicsSettings& Current();
    void Load(const ConfigHandler& config);
};
