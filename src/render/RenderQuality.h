#pragma once
// How the 3D scene is drawn: anti-aliasing, the scale of the window it is drawn at and whether
// that scale follows the frame time. Chosen per machine unless the settings file says otherwise:
// a software renderer cannot afford multisampling, any graphics card can.

#include <string>

class ConfigHandler;

enum class Antialiasing { Msaa, Post, Off };

struct RenderQuality {
    Antialiasing antialiasing = Antialiasing::Msaa;
    /// Samples per pixel of the multisampled scene; used with Antialiasing::Msaa only.
    int samples = 4;
    /// The scene's size as a share of the window's, the largest the dynamic resolution uses.
    float renderScale = 1.0f;
    float minRenderScale = 0.5f;
    bool dynamicResolution = false;

    static constexpr float kLowestScale = 0.25f;
    static constexpr float kHighestScale = 2.0f;

    /// Whether the scene needs a picture of its own: everything but "no anti-aliasing at the
    /// window's size" does, as the window itself is never multisampled.
    bool Offscreen() const {
        return antialiasing != Antialiasing::Off || renderScale != 1.0f || dynamicResolution;
    }
};

struct RenderQualityChoice {
    RenderQuality quality;
    /// One line for the console: what was chosen and why.
    std::string line;
};

/// True for the GL renderer strings of Mesa's software rasterisers.
bool IsSoftwareRenderer(const std::string& renderer);

/// The Display settings that shape the scene's drawing, each from the file when it is set there
/// and usable, else chosen for `renderer` (the GL_RENDERER string). A value it cannot use falls
/// back with one line on standard output, as every setting does.
RenderQualityChoice ChooseRenderQuality(const ConfigHandler& config, const std::string& renderer);
