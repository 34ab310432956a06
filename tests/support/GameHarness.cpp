#include "support/GameHarness.h"

#include "app/Application.h"
#include "app/FrameLoop.h"
#include "core/InputHandler.h"
#include "game/GameWorld.h"
#include "game/PlayerObject.h"
#include "render/Camera.h"
#include "support/GLTestContext.h"

#include <cmath>

namespace testing_support {

namespace {
constexpr float kStep = 1.0f / 60.0f;
} // namespace

GameHarness& GameHarness::Get() {
    static GameHarness harness;
    return harness;
}

GameHarness::GameHarness() {
    EnsureGLContext();
    StartGameServices();
}

namespace {
/// Feeds the game's frame loop exactly one frame of the given dt.
class OneFrame : public FrameFeed {
public:
    explicit OneFrame(float dt) : dt(dt) {}
    std::optional<float> BeginFrame(float, ActionRecord&) override {
        if (done)
            return std::nullopt;
        done = true;
        return dt;
    }

private:
    float dt;
    bool done = false;
};

/// The hidden window cannot move the pointer, which GLFW reports wherever the virtual screen
/// has it, so mouse look would turn the view every frame: the harness holds the view still.
template <typename F> void WithViewHeld(F advance) {
    Camera& camera = Camera::GetInstance();
    const float yaw = camera.yaw, pitch = camera.pitch;
    advance();
    camera.yaw = yaw;
    camera.pitch = pitch;
}
} // namespace

GameHarness::~GameHarness() {
    GameWorld::GetInstance().Cleanup();
    ReleaseGlObjects();
}

void GameHarness::StepOnce() {
    WithViewHeld([] { GameWorld::GetInstance().Update(kStep); });
}

void GameHarness::Simulate(float seconds) {
    const int steps = static_cast<int>(std::lround(seconds * 60.0f));
    for (int i = 0; i < steps; ++i)
        StepOnce();
}

void GameHarness::Present() {
    WithViewHeld([] { GameWorld::GetInstance().Update(0.0f); });
}

void GameHarness::Frame() {
    WithViewHeld([] {
        OneFrame feed(kStep);
        RunFrameLoop(EnsureGLContext(), 0.0, feed, false);
    });
    glFinish();
}

void GameHarness::DrawOnly(float dt) {
    GameWorld::GetInstance().Draw(dt);
    // The frame loop's swap hands the frame to the driver; without it the driver keeps queuing.
    glFinish();
}

void GameHarness::DrawLookingDownOn(float x, float z) {
    Camera& camera = Camera::GetInstance();
    camera.SetPosition(Vec3{x, 4.0f, z});
    camera.yaw = 0.0f;
    camera.pitch = -1.5f;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawOnly(0.0f);
}

void GameHarness::Press(Action action) {
    InputHandler::GetInstance().Press(action);
}

void GameHarness::Hold(Action action, bool down) {
    InputHandler::GetInstance().SetSimulatedAction(action, down);
}

void GameHarness::StartGame() {
    Press(Action::Jump);
    Press(Action::Start);
    StepOnce();
}

PlayerObject& GameHarness::Player() {
    return *GameWorld::GetInstance().GetPlayer();
}

GameWorld& GameHarness::World() {
    return GameWorld::GetInstance();
}

} // namespace testing_support
