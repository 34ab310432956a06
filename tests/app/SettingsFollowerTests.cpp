#include "audio/AudioService.h"
#include "core/ConfigHandler.h"
#include "game/CombatFeedback.h"
#include "game/GameLoop.h"
#include "game/GamePause.h"
#include "render/Camera.h"
#include "render/ReadabilitySettings.h"
#include "render/ShaderHandler.h"
#include "support/ConsoleCapture.h"
#include "support/GameHarness.h"
#include "ui/TextHandler.h"

#include <GLFW/glfw3.h>
#include <cmath>
#include <gtest/gtest.h>

using testing_support::GameHarness;

// What the Options menu changes shows on the next frame, without a restart: the projection,
// the effect switches, the loudness, the screen text, the pause on focus loss, the frame cap.
TEST(SettingsFollower, ChangedSettingsReachTheirUsersOnTheNextFrame) {
    GameHarness& game = GameHarness::Get();
    ConfigHandler& config = ConfigHandler::GetInstance();
    Camera& camera = Camera::GetInstance();
    const UniformStore& globals = ShaderHandler::GetInstance().globalUniforms;
    game.Frame();
    ASSERT_FLOAT_EQ(camera.fov, 90.0f);
    ASSERT_GT(globals.Floats().at("fogDensity"), 0.0f);

    config.Set("Display.fov", 60.0);
    config.Set("Display.screenFlashes", false);
    config.Set("Display.threatMarkers", false);
    config.Set("Graphics.fog", false);
    config.Set("Audio.volume", 0.25);
    config.Set("Display.showText", false);
    config.Set("Controls.pauseOnFocusLoss", false);
    config.Set("Display.maxFPS", 10.0);
    EXPECT_FLOAT_EQ(camera.fov, 90.0f) << "changes wait for the frame";

    const double before = glfwGetTime();
    game.Frame();
    // The frame waited for the new cap of ten frames a second.
    EXPECT_GE(glfwGetTime() - before, 0.09);
    EXPECT_FLOAT_EQ(camera.fov, 60.0f);
    EXPECT_NEAR(camera.projection.At(1, 1), 1.0f / std::tan(30.0f * 3.14159265f / 180.0f), 1e-4f);
    EXPECT_FALSE(CombatFeedback::GetInstance().screenFlashes);
    EXPECT_TRUE(CombatFeedback::GetInstance().viewKick);
    EXPECT_FALSE(ReadabilitySettings::Current().threatMarkers);
    EXPECT_EQ(globals.Floats().at("fogDensity"), 0.0f);
    EXPECT_FLOAT_EQ(AudioService::GetInstance().Volume(), 0.25f);
    EXPECT_FALSE(TextHandler::GetInstance().IsEnabled());
    game.StartGame();
    GamePause::GetInstance().OnFocusChanged(false);
    EXPECT_FALSE(GamePause::GetInstance().IsPaused());

    // F3 still shows the text; a change of another setting does not hide it again.
    TextHandler::GetInstance().ToggleEnabled();
    config.Set("Display.fov", 75.0);
    game.Frame();
    EXPECT_TRUE(TextHandler::GetInstance().IsEnabled());
    EXPECT_FLOAT_EQ(camera.fov, 75.0f);

    // Back to the defaults for the rest of the suite.
    testing_support::ConsoleCapture quiet;
    config.Load("/nonexistent/korvane/config.toml");
    game.Frame();
    EXPECT_FLOAT_EQ(camera.fov, 90.0f);
    EXPECT_TRUE(CombatFeedback::GetInstance().screenFlashes);
    EXPECT_TRUE(TextHandler::GetInstance().IsEnabled());
    EXPECT_GT(globals.Floats().at("fogDensity"), 0.0f);
}
