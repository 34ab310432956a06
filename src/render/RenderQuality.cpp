#include "render/RenderQuality.h"

#include "core/ConfigHandler.h"

#include <algorithm>
#include <array>
#include <iostream>
#include <optional>
#include <sstream>
#include <vector>

namespace {

constexpr int kDefaultSamples = 4;
constexpr std::array<const char*, 5> kQualityKeys = {"Display.antialiasing", "Display.MSAA",
                                                     "Display.renderScale", "Display.minRenderScale",
                                                     "Display.dynamicResolution"};

std::optional<Antialiasing> ParseAntialiasing(const std::string& word) {
    if (word == "msaa")
        return Antialiasing::Msaa;
    if (word == "post")
        return Antialiasing::Post;
    if (word == "off")
        return Antialiasing::Off;
    return std::nullopt;
}

std::string Describe(const RenderQuality& quality) {
    std::ostringstream text;
    switch (quality.antialiasing) {
    case Antialiasing::Msaa:
        text << quality.samples << "x MSAA";
        break;
    case Antialiasing::Post:
        text << "post-process anti-aliasing";
        break;
    case Antialiasing::Off:
        text << "no anti-aliasing";
        break;
    }
    if (quality.dynamicResolution)
        text << ", dynamic resolution from " << quality.minRenderScale << " to " << quality.renderScale
             << " of the window";
    else if (quality.renderScale == 1.0f)
        text << " at the window's resolution";
    else
        text << " at " << quality.renderScale << " of the window's resolution";
    return text.str();
}

} // namespace

bool IsSoftwareRenderer(const std::string& renderer) {
    for (const char* name : {"llvmpipe", "softpipe", "swrast"})
        if (renderer.find(name) != std::string::npos)
            return true;
    return false;
}

RenderQualityChoice ChooseRenderQuality(const ConfigHandler& config, const std::string& renderer) {
    const bool software = IsSoftwareRenderer(renderer);
    RenderQuality quality;
    quality.samples = std::max(0, config.GetInt("Display.MSAA", kDefaultSamples));

    // A sample count in the file is a choice of multisampling (or, at 0, of none) in itself.
    const Antialiasing machineDefault = config.Has("Display.MSAA") ? Antialiasing::Msaa
                                        : software                 ? Antialiasing::Post
                                                                   : Antialiasing::Msaa;
    quality.antialiasing = machineDefault;
    if (config.Has("Display.antialiasing")) {
        const std::optional<std::string> word = config.FindString("Display.antialiasing");
        const std::optional<Antialiasing> chosen = word ? ParseAntialiasing(*word) : std::nullopt;
        if (chosen) {
            quality.antialiasing = *chosen;
        } else {
            std::cout << "Display.antialiasing = " << (word ? "\"" + *word + "\"" : std::string("that value"))
                      << " cannot be used (allowed \"msaa\", \"post\" or \"off\"); using "
                      << (machineDefault == Antialiasing::Msaa ? "\"msaa\"" : "\"post\"") << std::endl;
        }
    }
    if (quality.antialiasing == Antialiasing::Msaa && quality.samples == 0)
        quality.antialiasing = Antialiasing::Off;

    quality.renderScale = config.GetFloatInRange("Display.renderScale", 1.0f, RenderQuality::kLowestScale,
                                                 RenderQuality::kHighestScale);
    quality.dynamicResolution = config.GetBool("Display.dynamicResolution", software);
    quality.minRenderScale =
        config.GetFloatInRange("Display.minRenderScale", quality.minRenderScale, RenderQuality::kLowestScale,
                               RenderQuality::kHighestScale);
    if (quality.minRenderScale > quality.renderScale) {
        if (config.Has("Display.minRenderScale"))
            std::cout << "Display.minRenderScale = " << quality.minRenderScale
                      << " is above Display.renderScale = " << quality.renderScale << "; using "
                      << quality.renderScale << std::endl;
        quality.minRenderScale = quality.renderScale;
    }

    std::vector<std::string> fromFile;
    for (const char* key : kQualityKeys)
        if (config.Has(key))
            fromFile.push_back(key);
    std::ostringstream line;
    line << "Rendering: " << Describe(quality);
    if (fromFile.empty()) {
        line << ", as " << renderer << (software ? " is a software renderer" : " is not a software renderer");
    } else {
        line << ", with ";
        for (std::size_t i = 0; i < fromFile.size(); ++i)
            line << (i == 0 ? "" : ", ") << fromFile[i];
        line << " from the settings file and the rest chosen for "
             << (software ? "the software renderer " : "") << renderer;
    }
    return {quality, line.str()};
}
