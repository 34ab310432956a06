#include "app/SettingsFollower.h"

#include "app/FramePacer.h"
#include "app/LivePad.h"
#include "audio/AudioService.h"
#include "core/ConfigHandler.h"
#include "core/InputHandler.h"
#include "core/InputMouseLook.h"
#include "core/SettingsCatalog.h"
#include "game/CombatFeedback.h"
#include "game/GamePause.h"
#include "render/Camera.h"
#include "render/ReadabilitySettings.h"
#include "render/RenderQuality.h"
#include "render/SceneLighting.h"
#include "render/SceneTarget.h"
#include "ui/TextHandler.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <algorithm>
#include <cmath>
#include <iostream>

float ReadMaxFPS() {
    const ConfigHandler& config = ConfigHandler::GetInstance();
    const float fallback = static_cast<float>(FindSetting("Display.maxFPS")->defaultValue);
    const float maxFPS = config.GetFloat("Display.maxFPS", fallback);
    if (std::isnan(maxFPS)) {
        std::cout << "Display.maxFPS is not a number; using " << fallback << std::endl;
        return fallback;
    }
    return maxFPS;
}

SettingsFollower& SettingsFollower::GetInstance() {
    static SettingsFollower instance;
    return instance;
}

SettingsFollower::Applied SettingsFollower::Read() {
    const ConfigHandler& config = ConfigHandler::GetInstance();
    Applied wanted;
    // Read quietly: a cap that is not a number has been reported once at start-up already.
    wanted.maxFPS =
        config.GetFloat("Display.maxFPS", static_cast<float>(FindSetting("Display.maxFPS")->defaultValue));
    wanted.vsync = config.FindBool("Display.vsync");
    wanted.fullscreen = config.GetBoolSetting("Display.fullscreen");
    wanted.width = config.GetIntSetting("Display.width");
    wanted.height = config.GetIntSetting("Display.height");
    wanted.showText = config.GetBoolSetting("Display.showText");
    wanted.showFps = config.GetBoolSetting("Display.showFps");
    return wanted;
}

void SettingsFollower::Reset() {
    revision = ConfigHandler::GetInstance().Revision();
    applied = Read();
}

SettingsFollower::Change SettingsFollower::Follow(GLFWwindow* window) {
    ConfigHandler& config = ConfigHandler::GetInstance();
    Change change;
    if (config.Revision() == revision)
        return change;
    revision = config.Revision();
    const Applied wanted = Read();

    // What every service keeps of the settings, read again: cheap, and a value that did not
    // change gives the same state.
    Camera::GetInstance().ApplySettings();
    // The mouse speed and invert only: the bindings change through the menu, which sets both.
    InputHandler::GetInstance().SetMouseLook(MouseLook::FromSettings(config));
    LivePad::GetInstance().ReloadSettings();
    AudioService::GetInstance().ApplySettings();
    ApplySceneLightingSettings(config);
    ReadabilitySettings::Current().Load(config);
    CombatFeedback::GetInstance().ApplySettings();
    GamePause::GetInstance().ApplySettings();
    ApplyRenderScale();

    // What the player can also change by other means, only when the setting itself changed.
    const bool sameCap =
        wanted.maxFPS == applied.maxFPS || (std::isnan(wanted.maxFPS) && std::isnan(applied.maxFPS));
    if (!sameCap && !std::isnan(wanted.maxFPS)) {
        change.frameInterval = FrameIntervalFor(wanted.maxFPS);
        SceneTarget::GetInstance().SetFrameBudget(*change.frameInterval);
    }
    if (wanted.vsync != applied.vsync && wanted.vsync && window != nullptr)
        glfwSwapInterval(*wanted.vsync ? 1 : 0);
    if (wanted.showText != applied.showText)
        TextHandler::GetInstance().SetEnabled(wanted.showText);
    if (!wanted.showFps)
        TextHandler::GetInstance().RemoveText("FPS");
    if (window != nullptr)
        ApplyWindow(window, wanted);
    applied = wanted;
    return change;
}

void SettingsFollower::ApplyWindow(GLFWwindow* window, const Applied& wanted) {
    const bool sizeChanged = wanted.width != applied.width || wanted.height != applied.height;
    if (wanted.fullscreen == applied.fullscreen && (wanted.fullscreen || !sizeChanged))
        return;
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr;
    if (wanted.fullscreen) {
        if (mode != nullptr)
            glfwSetWindowMonitor(window, monitor, 0, 0, mode->width, mode->height, mode->refreshRate);
        return;
    }
    if (wanted.width < 1 || wanted.height < 1) {
        std::cout << "Window size " << wanted.width << " x " << wanted.height
                  << " cannot be used: width and height must be at least 1" << std::endl;
        return;
    }
    // As at start-up, the screen bounds the window.
    const int width = mode != nullptr ? std::min(wanted.width, mode->width) : wanted.width;
    const int height = mode != nullptr ? std::min(wanted.height, mode->height) : wanted.height;
    if (glfwGetWindowMonitor(window) != nullptr) {
        const int x = mode != nullptr ? (mode->width - width) / 2 : 0;
        const int y = mode != nullptr ? (mode->height - height) / 2 : 0;
        glfwSetWindowMonitor(window, nullptr, x, y, width, height, GLFW_DONT_CARE);
    } else {
        glfwSetWindowSize(window, width, height);
    }
}

void SettingsFollower::ApplyRenderScale() {
    SceneTarget& target = SceneTarget::GetInstance();
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    RenderQuality wanted =
        ChooseRenderQuality(ConfigHandler::GetInstance(), renderer != nullptr ? renderer : "").quality;
    const RenderQuality& current = target.Quality();
    if (wanted.renderScale == current.renderScale && wanted.minRenderScale == current.minRenderScale &&
        wanted.dynamicResolution == current.dynamicResolution)
        return;
    // The samples and the way of smoothing stay as the game started with them.
    wanted.antialiasing = current.antialiasing;
    wanted.samples = current.samples;
    target.Configure(wanted, target.IsOffscreen());
}
