#include "app/FrameLoop.h"

#include "app/FramePacer.h"
#include "app/GameTimeBudget.h"
#include "app/GlDebugOutput.h"
#include "app/LivePad.h"
#include "app/MenuController.h"
#include "app/ProcessSetup.h"
#include "app/SettingsFollower.h"
#include "core/InputHandler.h"
#include "game/GamePause.h"
#include "game/GameWorld.h"
#include "render/SceneTarget.h"
#include "ui/TextHandler.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <algorithm>
#include <iostream>

namespace {

/// The game time this frame hands to the world; a frame that starts dropping time says so.
float GrantGameTime(GameTimeBudget& budget, float frameDt) {
    const GameTimeBudget::Grant grant = budget.Next(frameDt);
    if (grant.firstOfRun)
        std::cout << DroppedTimeLine(frameDt, grant) << std::endl;
    return grant.dt;
}

} // namespace

void RunFrameLoop(GLFWwindow* window, double frameInterval, FrameFeed& feed, bool showFps,
                  MenuController* menus) {
    GameWorld& world = GameWorld::GetInstance();
    TextHandler& text = TextHandler::GetInstance();
    InputHandler& input = InputHandler::GetInstance();
    const double start = glfwGetTime();
    FramePacer pacer(frameInterval, start, start);
    GameTimeBudget gameTime(world.GetFixedStep());
    SettingsFollower& settings = SettingsFollower::GetInstance();

    // A stop signal ends the loop as closing the window does.
    while (!glfwWindowShouldClose(window) && StopSignal() == 0) {
        // A replay keeps its own pacing whatever the frame cap becomes.
        if (const SettingsFollower::Change change = settings.Follow(window);
            change.frameInterval && feed.TakesLiveTime())
            pacer.SetFrameInterval(*change.frameInterval);
        const double now = glfwGetTime();
        pacer.SetPaused(feed.CapsPausedFrames() && GamePause::GetInstance().IsPaused());
        const double feedWait = feed.SecondsBeforeFrame(now);
        if (!pacer.IsFrameDue(now) || feedWait > 0.0) {
            // Sleep most of the wait and spin the last stretch, so the frame still starts on time
            // without a core burning through the whole interval. Escape and the close button are
            // read between the sleeps, however long the cap makes the wait.
            const double sleep =
                std::max(pacer.SleepBeforeFrame(now),
                         std::clamp(feedWait - FramePacer::kSpinMargin, 0.0, FramePacer::kLongestSleep));
            if (sleep > 0.0) {
                glfwPollEvents();
                input.AnswerQuitBetweenFrames();
            }
            SleepFor(sleep);
            continue;
        }
        const FramePacer::Frame frame = pacer.BeginFrame(now);
        if (showFps && frame.readoutFrames > 0) {
            std::cout << ConsoleFpsLine(frame.readoutFrames) << std::endl;
            if (settings.ShowFps())
                text.SetText("FPS", TextEntry{ScreenFpsText(frame.readoutFrames),
                                              kSmallFont,
                                              TopRight,
                                              {-20.0f, -20.0f},
                                              kTextWhite});
        }
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glfwPollEvents();
        // A replay hands the world its recorded times whatever this machine's frames take, so
        // only live time is bounded.
        const float pacedDt = feed.TakesLiveTime() ? GrantGameTime(gameTime, frame.dt) : frame.dt;
        input.SetPadFrame(LivePad::GetInstance().Read(static_cast<float>(frame.dt)));
        ActionRecord record = input.BuildRecord();
        const std::optional<float> dt = feed.BeginFrame(pacedDt, record);
        if (!dt)
            break;
        // An open menu reads its own actions of the record; the game's were held back already.
        if (menus != nullptr)
            menus->Update(record);
        input.Apply(record);
        const float accumulatorBefore = world.GetAccumulator();
        world.Update(*dt);
        // Only the steps' own time tells whether they are slower than real time.
        gameTime.RecordSteps(gameTime.StepsRun(accumulatorBefore, *dt, world.GetAccumulator()),
                             world.GetLastStepsSeconds());
        world.Draw(*dt);
        if (menus != nullptr)
            menus->Draw();
        glfwSwapBuffers(window);
        ReportEndedDebugBursts();
        // The frame's own work, from its start to the picture shown; the pacing's wait is not in it.
        const double shown = glfwGetTime();
        SceneTarget::GetInstance().FrameDone(shown, shown - now);
        feed.EndFrame();
    }
}
