// The simulation is a pure function of its input: a scripted game of fixed steps (walking,
// turning, shooting, the first waves rolling in, kills with their bursts, contact damage) ends
// in exactly the state recorded here, to the bit. When gameplay changes on purpose the hash
// changes with it: run this test, read the hash it found, and put it below.
#include "app/GameState.h"
#include "core/Action.h"
#include "game/EnemySpawner.h"
#include "game/GameLoop.h"
#include "render/Camera.h"
#include "support/GameHarness.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <optional>

namespace {

constexpr std::uint64_t kExpectedHash = 0xa8da3cdefe12b62dull;

/// 45 seconds of play from the start screen; the state hash at the end.
std::uint64_t PlayScriptedGame() {
    testing_support::GameHarness& game = testing_support::GameHarness::Get();
    Camera& camera = Camera::GetInstance();
    game.Simulate(0.5f);
    game.StartGame();
    for (int second = 0; second < 45; ++second) {
        // Walk a figure of short strides, turning a little every second and firing four shots.
        const std::optional<Action> walk = second % 4 == 0   ? std::optional(Action::Forward)
                                           : second % 4 == 2 ? std::optional(Action::Back)
                                                             : std::nullopt;
        if (walk)
            game.Hold(*walk, true);
        camera.yaw += 0.35f;
        camera.pitch = second % 2 == 0 ? -0.2f : 0.0f;
        for (int step = 0; step < 60; ++step) {
            if (step % 15 == 0)
                game.Press(Action::Shoot);
            // Some frames are drawn too: drawing must leave the simulation as it is.
            if (step % 10 == 0)
                game.Frame();
            else
                game.StepOnce();
        }
        if (walk)
            game.Hold(*walk, false);
    }
    const GameState state = CaptureGameState();
    // A game that never got going would hash the same whatever the rules: it must have had waves.
    std::fprintf(stderr, "sent %d, draws %llu, objects %zu\n",
                 GameLoop::GetInstance().GetSpawner()->spawnedCount,
                 static_cast<unsigned long long>(state.randomDraws), state.objects.size());
    if (GameLoop::GetInstance().GetSpawner()->spawnedCount < 6 || state.randomDraws < 30)
        return 1;
    return HashGameState(state);
}

} // namespace

TEST(Determinism, AScriptedGameEndsInExactlyTheRecordedState) {
    // In a fresh process of its own, so that the random source and the object names start
    // where they start in the game, whatever other tests ran first.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const std::uint64_t hash = PlayScriptedGame();
            std::fprintf(stderr, "state hash 0x%016llx\n", static_cast<unsigned long long>(hash));
            std::fflush(stderr);
            std::_Exit(hash == kExpectedHash ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "state hash");
}
