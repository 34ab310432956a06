#include "app/Application.h"

#include "app/CommandLine.h"
#include "app/FramePacer.h"
#include "app/GameFiles.h"
#include "app/GameTimeBudget.h"
#include "app/GlDebugOutput.h"
#include "app/ProcessSetup.h"
#include "core/ConfigHandler.h"
#include "core/InputHandler.h"
#include "core/KeyBindings.h"
#include "game/GameWorld.h"
#include "render/DebugView.h"
#include "render/Materials.h"
#include "render/ModelHandler.h"
#include "render/ParticleSystem.h"
#include "render/ShaderHandler.h"
#include "render/SharedVertexArray.h"
#include "render/Texture.h"
#include "ui/TextHandler.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <algorithm>
#include <cmath>
#include <iostream>

namespace {

constexpr float kDefaultMaxFPS = 60.0f;
constexpr int kNoAssetsStatus = 1;

void ErrorCallback(int code, const char* description) {
    std::cerr << "GLFW Error " << code << ": " << description << std::endl;
}

/// The configured frame cap. A cap that is not a number would make the pacing test
/// meaningless, so it falls back to the default and says so.
float ReadMaxFPS(const ConfigHandler& config) {
    float maxFPS = config.GetFloat("Display.maxFPS", kDefaultMaxFPS);
    if (std::isnan(maxFPS)) {
        std::cout << "Display.maxFPS is not a number; using " << kDefaultMaxFPS << std::endl;
        maxFPS = kDefaultMaxFPS;
    }
    return maxFPS;
}

void ApplyGlState(const ConfigHandler& config) {
    glEnable(GL_DEBUG_OUTPUT);
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    glDebugMessageCallback(DebugMessageCallback, nullptr);
    glEnable(GL_DEPTH_TEST);
    if (config.GetBool("Display.faceCulling", true))
        glEnable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
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

/// The game time this frame hands to the world; a frame that starts dropping time says so.
float GrantGameTime(GameTimeBudget& budget, float frameDt) {
    const GameTimeBudget::Grant grant = budget.Next(frameDt);
    if (grant.firstOfRun)
        std::cout << DroppedTimeLine(frameDt, grant) << std::endl;
    return grant.dt;
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
    glfwWindowHint(GLFW_SAMPLES, config.GetInt("Display.MSAA", 4));

    GLFWwindow* window = CreateGameWindow(width, height);
    if (window == nullptr) {
        std::cerr << "Failed to create window" << std::endl;
        glfwTerminate();
        return nullptr;
    }
    glfwMakeContextCurrent(window);

    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        std::cerr << "Failed to initialize GLEW" << std::endl;
        glfwDestroyWindow(window);
        glfwTerminate();
        return nullptr;
    }

    ApplyGlState(config);
    InputHandler::GetInstance().InstallCallbacks();
    SharedVertexArray::GetInstance().Bind();
    TextHandler::GetInstance().Init();
    GameWorld::GetInstance().Init();
    return window;
}

void ReleaseGlObjects() {
    ParticleRegistry::GetInstance().Clear();
    DebugView::GetInstance().Release();
    TextHandler::GetInstance().Release();
    ModelHandler::GetInstance().Release();
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
    glfwDestroyWindow(window);
    glfwTerminate();
}

int RunGame(int argc, const char* const* argv) {
    ReopenClosedStandardStreams();
    IgnoreBrokenPipes();
    const CommandLine commandLine = ParseCommandLine(argc, argv);
    if (commandLine.action != CommandLine::Action::Play)
        return AnswerCommandLine(commandLine, SettingsPlaces(), AssetPlaces(), std::cout, std::cerr);

    ConfigHandler& config = ConfigHandler::GetInstance();
    if (commandLine.configFile)
        config.Load(*commandLine.configFile);
    else
        config.Load();
    // Without its files the game could only show a broken window: say where it looked instead.
    if (!LocateGameAssets())
        return kNoAssetsStatus;

    GLFWwindow* window = StartUp(config.GetInt("Display.width", 800), config.GetInt("Display.height", 600));
    if (window == nullptr)
        return -1;
    InputHandler& input = InputHandler::GetInstance();
    TextHandler& text = TextHandler::GetInstance();
    GameWorld& world = GameWorld::GetInstance();

    bool maximized = config.GetBool("Display.maximized", false);
    if (maximized)
        glfwMaximizeWindow(window);

    input.RegisterCallback(KeyBindings::kMaximize, [&window, &maximized] {
        if (maximized) {
            glfwRestoreWindow(window);
            maximized = false;
        } else {
            glfwMaximizeWindow(window);
            maximized = true;
        }
    });
    input.RegisterCallback(KeyBindings::kQuit, [&window] { glfwSetWindowShouldClose(window, GLFW_TRUE); });

    const double frameInterval = FrameIntervalFor(ReadMaxFPS(config));
    const double lastSecond = glfwGetTime();
    const double lastFrame = glfwGetTime();
    FramePacer pacer(frameInterval, lastSecond, lastFrame);
    GameTimeBudget gameTime(world.GetFixedStep());

    while (!glfwWindowShouldClose(window)) {
        const double now = glfwGetTime();
        if (!pacer.IsFrameDue(now)) {
            // Sleep most of the wait and spin the last stretch, so the frame still starts on time
            // without a core burning through the whole interval. Escape and the close button are
            // read between the sleeps, however long the cap makes the wait.
            const double sleep = pacer.SleepBeforeFrame(now);
            if (sleep > 0.0)
                glfwPollEvents();
            SleepFor(sleep);
            continue;
        }
        const FramePacer::Frame frame = pacer.BeginFrame(now);
        if (frame.readoutFrames > 0) {
            std::cout << ConsoleFpsLine(frame.readoutFrames) << std::endl;
            text.SetText(
                "FPS",
                TextEntry{
                    ScreenFpsText(frame.readoutFrames), 1, TopRight, {-20.0f, -20.0f}, {1.0f, 1.0f, 1.0f}});
        }
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glfwPollEvents();
        const float dt = GrantGameTime(gameTime, frame.dt);
        const float accumulatorBefore = world.GetAccumulator();
        const double updateStart = glfwGetTime();
        world.Update(dt);
        gameTime.RecordSteps(gameTime.StepsRun(accumulatorBefore, dt, world.GetAccumulator()),
                             glfwGetTime() - updateStart);
        world.Draw(frame.dt);
        glfwSwapBuffers(window);
    }

    ShutDown(window);
    return 0;
}
