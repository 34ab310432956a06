#include "support/GameHarness.h"

#include "app/InputHandler.h"
#include "game/GameWorld.h"
#include "game/PlayerObject.h"
#include "support/GLTestContext.h"
#include "ui/TextHandler.h"

#include <cmath>

namespace testing_support {

namespace {
constexpr float kStep = 1.0f / 60.0f;
constexpr int kSpace = 32;
} // namespace

GameHarness& GameHarness::Get() {
    static GameHarness harness;
    return harness;
}

GameHarness::GameHarness() {
    EnsureGLContext();
    InputHandler::GetInstance().InstallCallbacks();
    glGenVertexArrays(1, &gVertexArray);
    glBindVertexArray(gVertexArray);
    TextHandler::GetInstance().Init();
    GameWorld::GetInstance().Init();
}

void GameHarness::StepOnce() { GameWorld::GetInstance().Update(kStep); }

void GameHarness::Simulate(float seconds) {
    const int steps = static_cast<int>(std::lround(seconds * 60.0f));
    for (int i = 0; i < steps; ++i)
        StepOnce();
}

void GameHarness::Frame() {
    GameWorld::GetInstance().Update(kStep);
    GameWorld::GetInstance().Draw(kStep);
}

void GameHarness::PressKey(int code) { InputHandler::GetInstance().Dispatch(code); }

void GameHarness::HoldKey(int key, bool down) { InputHandler::GetInstance().SetSimulatedKey(key, down); }

void GameHarness::StartGame() {
    PressKey(kSpace);
    StepOnce();
}

PlayerObject& GameHarness::Player() { return *GameWorld::GetInstance().GetPlayer(); }

GameWorld& GameHarness::World() { return GameWorld::GetInstance(); }

} // namespace testing_support
