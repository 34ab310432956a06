// A game recorded with the keys rebound and another mouse speed replays to the same state on the
// default bindings and speed: a demo holds what the player did, not which keys said so.
#include "app/DemoPlayer.h"
#include "app/DemoRecorder.h"
#include "app/FrameLoop.h"
#include "core/InputHandler.h"
#include "support/GLTestContext.h"
#include "support/GameHarness.h"

#include <GLFW/glfw3.h>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr float kStep = 1.0f / 60.0f;
constexpr int kFrames = 300;

/// One file per worktree: the suite of another checkout may run beside this one.
std::string DemoPath() {
    const std::size_t place = std::hash<std::string>{}(std::filesystem::current_path().string());
    return (std::filesystem::temp_directory_path() / ("korvane_rebound_" + std::to_string(place) + ".kvd"))
        .string();
}

/// What the player does before frame `frame`, in rebound keys: K starts and jumps, I walks, J
/// strafes, the right button shoots; W, Space and the left button are bound to nothing now.
void Play(int frame, InputHandler& input) {
    const auto tap = [&input](int key) {
        input.OnKey(key, GLFW_PRESS);
        input.OnKey(key, GLFW_RELEASE);
    };
    if (frame == 20 || frame == 130)
        tap(GLFW_KEY_K);
    if (frame == 30 || frame == 170)
        tap(frame == 30 ? GLFW_KEY_W : GLFW_KEY_SPACE);
    if (frame == 40 || frame == 160)
        input.OnKey(GLFW_KEY_I, frame == 40 ? GLFW_PRESS : GLFW_RELEASE);
    if (frame == 90 || frame == 200)
        input.OnKey(GLFW_KEY_J, frame == 90 ? GLFW_PRESS : GLFW_RELEASE);
    if (frame >= 50 && frame <= 250 && frame % 15 == 5) {
        input.OnMouseButton(frame % 2 == 0 ? GLFW_MOUSE_BUTTON_RIGHT : GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS);
        input.OnMouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE);
        input.OnMouseButton(GLFW_MOUSE_BUTTON_RIGHT, GLFW_RELEASE);
    }
    if (frame >= 50 && frame <= 220)
        input.MoveSimulatedMouse(3, -2);
    if (frame == 230 || frame == 250)
        tap(GLFW_KEY_P);
    if (frame == 240)
        input.OnFocus(false);
}

/// Live play through the game's frame loop, written down by the recorder.
class ScriptedRecording : public FrameFeed {
public:
    explicit ScriptedRecording(DemoRecorder& recorder) : recorder(recorder) {
        Play(0, InputHandler::GetInstance());
    }
    std::optional<float> BeginFrame(float, ActionRecord& record) override {
        if (frame == kFrames)
            return std::nullopt;
        return recorder.BeginFrame(kStep, record);
    }
    void EndFrame() override {
        recorder.EndFrame();
        Play(++frame, InputHandler::GetInstance());
    }

private:
    DemoRecorder& recorder;
    int frame = 0;
};

void RecordReboundGame(const std::string& path) {
    testing_support::GameHarness::Get();
    InputHandler& input = InputHandler::GetInstance();
    InputBindings& bindings = input.Bindings();
    bindings.Set(Action::Forward, {GLFW_KEY_I});
    bindings.Set(Action::Left, {GLFW_KEY_J});
    bindings.Set(Action::Jump, {GLFW_KEY_K});
    bindings.Set(Action::Start, {GLFW_KEY_K});
    bindings.Set(Action::Shoot, {InputCode::Mouse(GLFW_MOUSE_BUTTON_RIGHT)});
    MouseLook look;
    look.sensitivity = 2.5f * MouseLook::kSensitivityPerUnit;
    look.invertY = true;
    input.SetMouseLook(look);
    DemoRecorder recorder(path, 800, 600);
    ScriptedRecording feed(recorder);
    RunFrameLoop(testing_support::EnsureGLContext(), 0.0, feed, false);
    recorder.Finish();
}

/// The replay on the default bindings and mouse look: "" when it agrees with the recording.
std::string ReplayOnDefaults(const std::string& path) {
    testing_support::GameHarness::Get();
    const LoadedDemo demo = LoadDemo(path);
    if (!demo.error.empty())
        return demo.error;
    DemoPlayer player(demo, false);
    RunFrameLoop(testing_support::EnsureGLContext(), 0.0, player, false);
    if (!player.Desync().empty())
        return player.Desync();
    if (player.Frames() != demo.summary.frames)
        return "replayed " + std::to_string(player.Frames()) + " of " + std::to_string(demo.summary.frames) +
               " frames";
    return "";
}

} // namespace

TEST(DemoReplay, AGameOnReboundKeysAndAnotherMouseSpeedReplaysOnTheDefaults) {
    // Each half in a fresh process, as a recording and its replay are: the random source and the
    // object names start where they start in the game.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string path = DemoPath();
    EXPECT_EXIT(
        {
            RecordReboundGame(path);
            std::fprintf(stderr, "recorded\n");
            std::fflush(stderr);
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "recorded");

    // The recording holds the game the rebound keys asked for: started, walked, strafed, shot
    // and turned, and nothing from the keys that were bound to nothing.
    const LoadedDemo demo = LoadDemo(path);
    ASSERT_EQ(demo.error, "");
    ASSERT_EQ(demo.summary.frames, static_cast<std::uint32_t>(kFrames));
    DemoReader reader(demo.bytes.data(), demo.bytes.size());
    DemoHeader header;
    ASSERT_TRUE(reader.ReadHeader(header));
    EXPECT_EQ(header.formatVersion, kDemoFormatVersion);
    DemoFrame frame;
    DemoCheckpoint checkpoint;
    DemoEnd end;
    int starts = 0, shots = 0, walks = 0, walking = 0, strafing = 0, turned = 0, pauses = 0, blurs = 0;
    for (DemoReader::Record record;
         (record = reader.Next(frame, checkpoint, end)) != DemoReader::Record::Stop;) {
        if (record != DemoReader::Record::Frame)
            continue;
        for (Action action : frame.record.pressed) {
            starts += action == Action::Start;
            shots += action == Action::Shoot;
            pauses += action == Action::Pause;
            walks += action == Action::Forward;
        }
        blurs += static_cast<int>(frame.record.focus.size());
        walking += frame.record.Holds(Action::Forward);
        strafing += frame.record.Holds(Action::Left);
        turned += frame.record.turnYaw != 0.0f && frame.record.turnPitch != 0.0f;
    }
    EXPECT_EQ(starts, 2);
    EXPECT_EQ(shots, 7);
    EXPECT_EQ(pauses, 2);
    EXPECT_EQ(walks, 1) << "I walks, W no more";
    EXPECT_EQ(blurs, 1);
    EXPECT_EQ(walking, 120);
    EXPECT_EQ(strafing, 110);
    EXPECT_GE(turned, 150);

    EXPECT_EXIT(
        {
            const std::string problem = ReplayOnDefaults(path);
            std::fprintf(stderr, "replay: %s\n", problem.empty() ? "as recorded" : problem.c_str());
            std::fflush(stderr);
            std::_Exit(problem.empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "replay: as recorded");
    std::filesystem::remove(path);
}
