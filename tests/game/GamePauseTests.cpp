#include "PlayScenario.h"

#include "audio/AudioService.h"
#include "core/ConfigHandler.h"
#include "core/InputHandler.h"
#include "game/EnemySpawner.h"
#include "game/GamePause.h"
#include "support/ConsoleCapture.h"
#include "ui/TextHandler.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class GamePauseTest : public testing_support::PlayScenario {
protected:
    GamePause& pause = GamePause::GetInstance();
    GameLoop& flow = GameLoop::GetInstance();
    AudioService& audio = AudioService::GetInstance();
    TextHandler& text = TextHandler::GetInstance();

    void PressPause() { game.Press(Action::Pause); }
    bool ShowsPaused() const {
        const auto found = text.Entries().find("paused");
        return found != text.Entries().end() && found->second.text == "Paused";
    }
    void TearDown() override {
        pause.Resume();
        PlayScenario::TearDown();
    }
};

TEST_F(GamePauseTest, PauseStopsTheClockTheWavesTheWorldAndTheSoundsUntilResumed) {
    PlaceAt(Vector3(3.0f, 10.0f, 3.0f));
    Run(0.5f);
    const float clock = flow.timeRemaining;
    const float waveTimer = flow.GetSpawner()->spawnTimer;
    const Vector3 falling = player.GetPosition();
    const float banked = game.World().GetAccumulator();
    audio.Play(Sound::Win);
    const int playing = audio.PlayingCount(Sound::Win);

    PressPause();
    ASSERT_TRUE(pause.IsPaused());
    EXPECT_TRUE(ShowsPaused());
    EXPECT_EQ(audio.PlayingCount(Sound::Win), 0) << "a held sound is not playing";
    const std::uint64_t shots = audio.LastRequest(Sound::Shot).count;
    // Two seconds of frames: nothing of the game moves, and no time is banked for later.
    for (int frame = 0; frame < 120; ++frame) {
        Step();
        game.DrawOnly(kStep);
    }
    game.Press(Action::Shoot);
    game.Press(Action::Jump);
    EXPECT_EQ(flow.timeRemaining, clock);
    EXPECT_EQ(flow.GetSpawner()->spawnTimer, waveTimer);
    EXPECT_EQ(player.GetPosition(), falling);
    EXPECT_EQ(game.World().GetAccumulator(), banked);
    EXPECT_EQ(audio.LastRequest(Sound::Shot).count, shots) << "no shot while paused";

    PressPause();
    EXPECT_FALSE(pause.IsPaused());
    EXPECT_FALSE(ShowsPaused());
    EXPECT_EQ(audio.PlayingCount(Sound::Win), playing) << "the held sound plays on";
    Step();
    EXPECT_FLOAT_EQ(flow.timeRemaining, clock - kStep) << "one step on resuming, not a burst";
    EXPECT_LT(player.GetPosition().y(), falling.y());
}

TEST_F(GamePauseTest, LosingTheFocusPausesARunningGameAndRegainingItDoesNotResume) {
    InputHandler& input = InputHandler::GetInstance();
    // As the window reports it: queued, then handed to the game in the frame's record.
    const auto focus = [&input](bool focused) {
        input.OnFocus(focused);
        input.Apply(input.BuildRecord());
    };
    focus(false);
    EXPECT_TRUE(pause.IsPaused());
    EXPECT_TRUE(ShowsPaused());
    focus(true);
    EXPECT_TRUE(pause.IsPaused()) << "the player resumes, not the window manager";
    PressPause();
    EXPECT_FALSE(pause.IsPaused());

    // On the start screen there is no game to stop: neither the focus nor P pauses anything.
    flow.started = false;
    focus(false);
    PressPause();
    EXPECT_FALSE(pause.IsPaused());
    EXPECT_FALSE(ShowsPaused());
    flow.started = true;

    // A player who keeps a second screen in view can switch the focus pause off; P still pauses.
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("korvane_focus_" + std::to_string(::getpid()) + ".toml");
    std::ofstream(file) << "[Controls]\npauseOnFocusLoss = false\n";
    ConfigHandler& config = ConfigHandler::GetInstance();
    config.Load(file.string());
    pause.Init();
    focus(false);
    EXPECT_FALSE(pause.IsPaused()) << "the focus pause is switched off";
    PressPause();
    EXPECT_TRUE(pause.IsPaused());
    PressPause();
    std::filesystem::remove(file);
    {
        testing_support::ConsoleCapture quiet;
        config.Load(file.string());
    }
    pause.Init();
    focus(false);
    EXPECT_TRUE(pause.IsPaused()) << "without the setting, losing the focus pauses again";
}

} // namespace
