#include "app/FrameLoop.h"

#include "app/FramePacer.h"
#include "game/GamePause.h"
#include "game/GameWorld.h"
#include "ui/TextHandler.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <iostream>

void RunFrameLoop(GLFWwindow* window, double frameInterval, FrameFeed& feed, bool showFps) {
    GameWorld& world = GameWorld::GetInstance();
    TextHandler& text = TextHandler::GetInstance();
    const double start = glfwGetTime();
    FramePacer pacer(frameInterval, start, start);

    while (!glfwWindowShouldClose(window)) {
        const double now = glfwGetTime();
        pacer.SetPaused(feed.CapsPausedFrames() && GamePause::GetInstance().IsPaused());
        if (!pacer.IsFrameDue(now)) {
            // Sleep most of the wait and spin the last stretch, so the frame still starts on time
            // without a core burning through the whole interval.
            SleepFor(pacer.SleepBeforeFrame(now));
            continue;
        }
        const FramePacer::Frame frame = pacer.BeginFrame(now);
        if (showFps && frame.readoutFrames > 0) {
            std::cout << ConsoleFpsLine(frame.readoutFrames) << std::endl;
            text.SetText(
                "FPS",
                TextEntry{
                    ScreenFpsText(frame.readoutFrames), kSmallFont, TopRight, {-20.0f, -20.0f}, kTextWhite});
        }
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glfwPollEvents();
        const std::optional<float> dt = feed.BeginFrame(frame.dt);
        if (!dt)
            break;
        world.Update(*dt);
        world.Draw(*dt);
        glfwSwapBuffers(window);
        feed.EndFrame();
    }
}
