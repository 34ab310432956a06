#include "PlayScenario.h"

#include "core/ConfigHandler.h"
#include "game/BasicEnemy.h"
#include "game/CombatFeedback.h"
#include "support/ConsoleCapture.h"
#include "ui/TextHandler.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using testing_support::ConsoleCapture;

bool SameMatrix(const Mat4& a, const Mat4& b) {
    for (int i = 0; i < 16; ++i)
        if (a.m[i] != b.m[i])
            return false;
    return true;
}

class CombatFeedbackTest : public testing_support::PlayScenario {
protected:
    CombatFeedback& feedback = CombatFeedback::GetInstance();
    GameLoop& flow = GameLoop::GetInstance();
    TextHandler& text = TextHandler::GetInstance();

    std::string EntryText(const std::string& key) const {
        const auto found = text.Entries().find(key);
        return found == text.Entries().end() ? "<none>" : found->second.text;
    }
    /// Loads these settings and lets the effects read them again (the test's output swallowed).
    void Configure(const std::string& toml) {
        const std::string file = (std::filesystem::temp_directory_path() /
                                  ("korvane_feedback_" + std::to_string(::getpid()) + ".toml"))
                                     .string();
        std::ofstream(file) << toml;
        ConsoleCapture console;
        ConfigHandler::GetInstance().Load(file);
        feedback.Prepare();
        std::filesystem::remove(file);
    }
    void TearDown() override {
        ConsoleCapture console;
        ConfigHandler::GetInstance().Load("/nonexistent/korvane/config.toml");
        feedback.Prepare();
        feedback.Reset();
        camera.SetViewKick(0.0f, 0.0f);
        PlayScenario::TearDown();
    }
};

TEST_F(CombatFeedbackTest, KillsCountEnemiesShotDownInTheCurrentGameOnly) {
    EXPECT_EQ(EntryText("kills"), "Kills: 0");
    PlaceAt(Vector3(0.0f, 11.2f, -5.0f));
    Look(0.0f, -Camera::kPitchLimit);
    Step();
    auto* target = new BasicEnemy(Vector3(0.0f, 4.0f, -5.0f), 30.0f, 100.0f);
    new BasicEnemy(Vector3(30.0f, 4.0f, 30.0f), 30.0f, 100.0f);

    game.Press(Action::Shoot);
    game.Present();
    // A hit: the plain marker, and the enemy lights up.
    EXPECT_FLOAT_EQ(feedback.markerLeft, CombatFeedback::kMarkerSeconds);
    EXPECT_FALSE(feedback.markerKill);
    EXPECT_GT(target->hitFlashLeft, 0.0f);
    EXPECT_EQ(flow.kills, 0);
    for (int shot = 0; shot < 4; ++shot)
        game.Press(Action::Shoot);
    game.Present();
    EXPECT_TRUE(feedback.markerKill) << "the fifth shot kills";
    EXPECT_EQ(flow.kills, 1);
    EXPECT_EQ(EntryText("kills"), "Kills: 1");

    // The death ends the game; the enemy still alive goes with the reset and is no kill.
    ConsoleCapture console;
    player.Destroy();
    Step();
    EXPECT_EQ(EntryText("death"), "You Died");
    EXPECT_EQ(EntryText("deathSummary"), "1 kill in 0:00");
    EXPECT_EQ(flow.kills, 0);
    EXPECT_EQ(EntryText("kills"), "Kills: 0");
    EXPECT_FLOAT_EQ(feedback.markerLeft, 0.0f) << "a new game starts without the last one's effects";
}

TEST_F(CombatFeedbackTest, BeingHurtKicksTheDrawnViewOnlyAndTheOptionsTurnTheEffectsOff) {
    const Vec3 eye = camera.GetPosition();
    const Vec3 aim = camera.GetForward();
    // Looking along +Z the right-hand side is -X: a hit from there glows on the right edge
    // and kicks the view away from it, to the left.
    feedback.OnPlayerHurt(10.0f, eye + Vec3{-4.0f, 0.0f, 0.0f});
    feedback.BeginFrame(camera);
    EXPECT_NEAR(CombatFeedback::ScreenDirection(eye, aim, feedback.hurtSource).x, 1.0f, 1e-5f);
    EXPECT_FLOAT_EQ(feedback.hurtStrength, 10.0f / 15.0f)
        << "two thirds of the deepest vignette for a contact";
    EXPECT_GT(feedback.kickYaw, 0.0f);
    EXPECT_EQ(camera.GetForward(), aim) << "the kick never moves the aim";
    EXPECT_FALSE(SameMatrix(camera.GetDrawnViewProjection(), camera.GetViewProjection()));
    // However slow the frames, each fades the effects by at most a tenth of a second.
    feedback.Advance(1.0f);
    feedback.BeginFrame(camera);
    EXPECT_FALSE(SameMatrix(camera.GetDrawnViewProjection(), camera.GetViewProjection()));
    for (int frame = 0; frame < 3; ++frame)
        feedback.Advance(1.0f);
    EXPECT_EQ(feedback.kickLeft, 0.0f);
    feedback.BeginFrame(camera);
    EXPECT_TRUE(SameMatrix(camera.GetDrawnViewProjection(), camera.GetViewProjection()))
        << "the kick wears off";

    Configure("[Display]\nscreenFlashes = false\nviewKick = false\n");
    feedback.Reset();
    feedback.OnPlayerHurt(10.0f, eye + Vec3{-4.0f, 0.0f, 0.0f});
    feedback.OnShotFired();
    feedback.OnEnemyKilled();
    feedback.BeginFrame(camera);
    EXPECT_EQ(feedback.hurtLeft, 0.0f);
    EXPECT_EQ(feedback.muzzleFlashLeft, 0.0f);
    EXPECT_EQ(feedback.kickPitch, 0.0f);
    EXPECT_EQ(feedback.kickYaw, 0.0f);
    EXPECT_GT(feedback.markerLeft, 0.0f) << "the hit marker is no flash and stays";

    // A value that is no boolean falls back to the effects being on.
    Configure("[Display]\nscreenFlashes = \"off\"\nviewKick = 0.5\n");
    EXPECT_TRUE(feedback.screenFlashes);
    EXPECT_TRUE(feedback.viewKick);
}

} // namespace
