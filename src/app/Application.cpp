#include "app/Application.h"

#include "app/CommandLine.h"
#include "app/DemoPlayer.h"
#include "app/DemoRecorder.h"
#include "app/FrameLoop.h"
#include "app/FramePacer.h"
#include "app/GameFiles.h"
#include "app/GlDebugOutput.h"
#include "app/LivePad.h"
#include "app/MenuController.h"
#include "app/ProcessSetup.h"
#include "app/SettingsFollower.h"
#include "core/ConfigHandler.h"
#include "core/InputHandler.h"
#include "core/SettingsCatalog.h"
#include "core/SettingsWriter.h"
#include "game/GameLoop.h"
#include "game/GamePause.h"
#include "game/GameWorld.h"
#include "game/Records.h"
#include "render/BakedLight.h"
#include "render/Camera.h"
#include "render/ContactShadowRenderer.h"
#include "render/DebugView.h"
#include "render/LevelSurfaces.h"
#include "render/Materials.h"
#include "render/ModelHandler.h"
#include "render/ParticleRegistry.h"
#include "render/PointLightMap.h"
#include "render/RenderQuality.h"
#include "render/SceneTarget.h"
#include "render/ShaderHandler.h"
#include "render/SharedVertexArray.h"
#include "render/Texture.h"
#include "ui/TextHandler.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <optional>

namespace {

constexpr int kNoAssetsStatus = 1;
constexpr int kUnusableDemoStatus = 2;
constexpr int kDesyncStatus = 3;

void ErrorCallback(int code, const char* description) {
    std::cerr << "GLFW Error " << code << ": " << description << std::endl;
}

void ApplyGlState(const ConfigHandler& config) {
    glEnable(GL_DEBUG_OUTPUT);
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    glDebugMessageCallback(DebugMessageCallback, nullptr);
    glEnable(GL_DEPTH_TEST);
    if (config.GetBoolSetting("Display.faceCulling"))
        glEnable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

/// `Display.vsync`: unset leaves the driver's own swap interval; true waits for one vertical
/// blank per frame, false for none.
void ApplySwapInterval(const ConfigHandler& config) {
    if (const std::optional<bool> vsync = config.FindBool("Display.vsync"))
        glfwSwapInterval(*vsync ? 1 : 0);
}

/// Full screen on the primary monitor in its current mode, or null without a monitor.
GLFWwindow* CreateFullScreenWindow() {
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr;
    if (mode == nullptr)
        return nullptr;
    // The monitor's own mode, so that going full screen switches no video mode.
    glfwWindowHint(GLFW_RED_BITS, mode->redBits);
    glfwWindowHint(GLFW_GREEN_BITS, mode->greenBits);
    glfwWindowHint(GLFW_BLUE_BITS, mode->blueBits);
    glfwWindowHint(GLFW_REFRESH_RATE, mode->refreshRate);
    return glfwCreateWindow(mode->width, mode->height, "Korvane", monitor, nullptr);
}

/// The game's window at the configured size, fitted to the screen, or null after saying why on
/// standard error.
GLFWwindow* CreateGameWindow(int width, int height) {
    // GLFW turns a zero size away with a reason of its own, but a negative one stops the
    // process on an assertion inside the library: that refusal has to come from here.
    if (width < 0 || height < 0) {
        std::cerr << "Window size " << width << " x " << height
                  << " cannot be used: width and height must be at least 1" << std::endl;
        return nullptr;
    }
    // A window far larger than the screen ends the first frame in an X protocol error, so the
    // primary monitor's current mode bounds each side.
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr;
    if (mode != nullptr && (width > mode->width || height > mode->height)) {
        const int fittedWidth = std::min(width, mode->width);
        const int fittedHeight = std::min(height, mode->height);
        std::cout << "Window size " << width << " x " << height << " is larger than the screen; using "
                  << fittedWidth << " x " << fittedHeight << std::endl;
        width = fittedWidth;
        height = fittedHeight;
    }
    return glfwCreateWindow(width, height, "Korvane", nullptr, nullptr);
}

} // namespace

GLFWwindow* StartUp(int width, int height) {
    const ConfigHandler& config = ConfigHandler::GetInstance();
    glfwSetErrorCallback(ErrorCallback);
    if (!glfwInit()) {
        std::cerr << "Failed to initialize GLFW" << std::endl;
        return nullptr;
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);
    // The window is never multisampled: the renderer, which decides whether multisampling can be
    // afforded, is known only once the window and its context exist, and the scene's own picture
    // carries the samples when they are wanted, resolved onto the window as the driver would.
    glfwWindowHint(GLFW_SAMPLES, 0);

    GLFWwindow* window = config.GetBoolSetting("Display.fullscreen") ? CreateFullScreenWindow()
                                                                     : CreateGameWindow(width, height);
    if (window == nullptr) {
        std::cerr << "Failed to create window" << std::endl;
        glfwTerminate();
        return nullptr;
    }
    glfwMakeContextCurrent(window);
    ApplySwapInterval(config);

    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        std::cerr << "Failed to initialize GLEW" << std::endl;
        glfwDestroyWindow(window);
        glfwTerminate();
        return nullptr;
    }

    ApplyGlState(config);
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    const RenderQualityChoice choice = ChooseRenderQuality(config, renderer != nullptr ? renderer : "");
    std::cout << choice.line << std::endl;
    SceneTarget::GetInstance().Configure(choice.quality);
    SceneTarget::GetInstance().SetFrameBudget(FrameIntervalFor(ReadMaxFPS()));
    StartGameServices();
    return window;
}

void StartGameServices() {
    InputHandler::GetInstance().InstallCallbacks();
    SharedVertexArray::GetInstance().Bind();
    TextHandler::GetInstance().Init();
    GameWorld::GetInstance().Init();
    SettingsFollower::GetInstance().Reset();
}

void ReleaseGlObjects() {
    ParticleRegistry::GetInstance().Clear();
    SceneTarget::GetInstance().Release();
    DebugView::GetInstance().Release();
    ContactShadowRenderer::GetInstance().Release();
    TextHandler::GetInstance().Release();
    ModelHandler::GetInstance().Release();
    BakedLight::GetInstance().Release();
    PointLightMap::GetInstance().Release();
    LevelSurfaces::GetInstance().Release();
    GradientTexture::Release();
    DefaultPbsTextures::GetInstance().Release();
    SolidTextures::GetInstance().Release();
    ShaderHandler::GetInstance().Release();
    SharedVertexArray::GetInstance().Release();
}

void ShutDown(GLFWwindow* window) {
    GameWorld::GetInstance().Cleanup();
    // Every GL object goes while its context still exists: the services outlive the window
    // and are destroyed at exit, when a GL call would have no context to go to.
    ReleaseGlObjects();
    ReportEndedDebugBursts(true);
    glfwDestroyWindow(window);
    glfwTerminate();
}

int RunGame(int argc, const char* const* argv) {
    ReopenClosedStandardStreams();
    IgnoreBrokenPipes();
    const CommandLine commandLine = ParseCommandLine(argc, argv);
    if (commandLine.action != CommandLine::Action::Play)
        return AnswerCommandLine(commandLine, SettingsPlaces(), AssetPlaces(), std::cout, std::cerr);

    // Interrupted from the terminal or stopped by the system, a recording ends as on Escape, even
    // while the game is still starting.
    if (commandLine.demo == CommandLine::Demo::Record)
        EndGameOnStopSignals();
    ConfigHandler& config = ConfigHandler::GetInstance();
    if (commandLine.configFile)
        config.Load(*commandLine.configFile);
    else
        config.Load();
    const bool replaying =
        commandLine.demo == CommandLine::Demo::Play || commandLine.demo == CommandLine::Demo::Timedemo;
    LoadedDemo demo;
    if (replaying) {
        demo = LoadDemo(commandLine.demoFile);
        // A demo cut short (the game crashed while recording) can still be watched up to there,
        // but a timed replay measures and checks whole demos only, and one cut before its first
        // frame (in its header, say) holds nothing to watch.
        const bool watchable = commandLine.demo == CommandLine::Demo::Play &&
                               demo.summary.problem == DemoProblem::Truncated && demo.summary.frames > 0;
        if (watchable) {
            std::cout << "Demo " << commandLine.demoFile << ": " << demo.summary.message << "; replaying the "
                      << demo.summary.frames << " frames it holds" << std::endl;
        } else if (!demo.error.empty()) {
            std::cout << demo.error << std::endl;
            return kUnusableDemoStatus;
        }
        // The simulation runs on the recording's settings, whatever this machine's file says.
        if (!config.ReplaceSection("Controls", demo.summary.header.controls) ||
            !config.ReplaceSection("Physics", demo.summary.header.physics)) {
            std::cout << "Demo " << commandLine.demoFile << " cannot be used: its settings are not valid"
                      << std::endl;
            return kUnusableDemoStatus;
        }
    }
    // Without its files the game could only show a broken window: say where it looked instead.
    if (!LocateGameAssets())
        return kNoAssetsStatus;

    GLFWwindow* window =
        StartUp(config.GetIntSetting("Display.width"), config.GetIntSetting("Display.height"));
    if (window == nullptr)
        return -1;
    LivePad::GetInstance().Start();
    InputHandler& input = InputHandler::GetInstance();

    bool maximized = config.GetBoolSetting("Display.maximized");
    if (maximized)
        glfwMaximizeWindow(window);

    input.RegisterAction(Action::Maximize, [&window, &maximized] {
        if (maximized) {
            glfwRestoreWindow(window);
            maximized = false;
        } else {
            glfwMaximizeWindow(window);
            maximized = true;
        }
    });
    input.RegisterAction(Action::Quit, [&window] { glfwSetWindowShouldClose(window, GLFW_TRUE); });

    // A replay is paced by its own recorded times (a timedemo not at all), not by this
    // machine's frame cap.
    const double frameInterval = replaying ? 0.0 : FrameIntervalFor(ReadMaxFPS());
    // Without a cap there is no frame time to hold: the scene stays at its largest scale. A
    // real-time replay holds the viewer's cap as a game would.
    SceneTarget::GetInstance().SetFrameBudget(
        commandLine.demo == CommandLine::Demo::Timedemo ? 0.0 : FrameIntervalFor(ReadMaxFPS()));
    int status = 0;
    if (replaying) {
        DemoPlayer player(demo, commandLine.demo != CommandLine::Demo::Timedemo);
        RunFrameLoop(window, frameInterval, player);
        if (commandLine.demo == CommandLine::Demo::Timedemo)
            std::cout << TimedemoLine(player.FrameSeconds()) << std::endl;
        if (!player.Desync().empty()) {
            std::cout << player.Desync() << std::endl;
            status = kDesyncStatus;
        }
    } else {
        // Only a game played here and now keeps records: a replay shows a game that was, and
        // the benchmark never comes this way.
        Records records(RecordsFile(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
        GameLoop& flow = GameLoop::GetInstance();
        flow.SetStartScreenLine(records.StartScreenLine());
        flow.SetGameEndListener([&records](float seconds, int kills) { records.GameEnded(seconds, kills); });
        // The start and pause menus, whose Options are saved when the player leaves them.
        MenuController menus(window, SettingsCatalog());
        menus.saveSettings = [] { SaveSettings(ConfigHandler::GetInstance()); };
        if (commandLine.demo == CommandLine::Demo::Record) {
            int width = 0, height = 0;
            glfwGetWindowSize(window, &width, &height);
            DemoRecorder recorder(commandLine.demoFile, width, height);
            RunFrameLoop(window, frameInterval, recorder, true, &menus);
            recorder.Finish();
            if (const int signal = StopSignal())
                std::cout << (signal == SIGINT ? "Interrupted" : "Terminated") << "; the demo ends here"
                          << std::endl;
        } else {
            FrameFeed live;
            RunFrameLoop(window, frameInterval, live, true, &menus);
        }
        flow.SetGameEndListener(nullptr);
    }

    ShutDown(window);
    return status;
}
