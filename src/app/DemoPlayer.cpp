#include "app/DemoPlayer.h"

#include "app/BuildInfo.h"
#include "core/InputHandler.h"
#include "game/GameWorld.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

namespace {

constexpr std::uint64_t kStepsPerSecond = GameWorld::kStepsPerSecond;

std::string GameTime(std::uint64_t steps) {
    const std::uint64_t seconds = steps / kStepsPerSecond;
    char text[32];
    std::snprintf(text, sizeof text, "%llu:%02llu", static_cast<unsigned long long>(seconds / 60),
                  static_cast<unsigned long long>(seconds % 60));
    return text;
}

} // namespace

LoadedDemo LoadDemo(const std::string& path) {
    LoadedDemo demo;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file.is_open()) {
        demo.error = "Cannot read demo " + path;
        return demo;
    }
    const std::streamoff size = file.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > kMaxDemoBytes) {
        demo.error = "Demo " + path + " cannot be used: it is larger than any demo can be";
        return demo;
    }
    demo.bytes.resize(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(demo.bytes.data()), size)) {
        demo.error = "Cannot read demo " + path;
        return demo;
    }
    demo.summary = ReadWholeDemo(demo.bytes.data(), demo.bytes.size());
    if (demo.summary.problem != DemoProblem::None)
        demo.error = "Demo " + path + " cannot be used: " + demo.summary.message;
    return demo;
}

DemoPlayer::DemoPlayer(const LoadedDemo& demo, bool realTime)
    : gameVersion(demo.summary.header.gameVersion), reader(demo.bytes.data(), demo.bytes.size()),
      realTime(realTime) {
    // The settings' [Controls] are the recording's by now, and with them its mouse look.
    reader.SetKeysFormatLook(InputHandler::GetInstance().GetMouseLook());
    DemoHeader header;
    reader.ReadHeader(header);
    Advance();
    lastFrameEnd = glfwGetTime();
    clock = ReplayClock(lastFrameEnd);
}

DemoPlayer::~DemoPlayer() = default;

void DemoPlayer::Advance() {
    next = reader.Next(frame, checkpoint, end);
    while (next == DemoReader::Record::Checkpoint) {
        Compare(checkpoint);
        next = reader.Next(frame, checkpoint, end);
    }
    if (next == DemoReader::Record::End && desync.empty()) {
        const std::uint64_t found = HashGameState(CaptureGameState());
        if (found != end.hash || end.frames != frames)
            desync = "Demo desync at frame " + std::to_string(frames) + " (game time " +
                     GameTime(GameWorld::GetInstance().GetStepCount()) + "): the final state differs";
    }
}

void DemoPlayer::Compare(const DemoCheckpoint& recorded) {
    if (!desync.empty())
        return;
    const GameState found = CaptureGameState();
    std::string difference;
    if (recorded.frame != frames)
        difference = "checkpoint of frame " + std::to_string(recorded.frame) + " came at frame " +
                     std::to_string(frames);
    else
        difference = DescribeDifference(recorded.state, found);
    if (difference.empty() && HashGameState(found) != recorded.hash)
        difference = "state hash differs";
    if (difference.empty())
        return;
    desync = "Demo desync at frame " + std::to_string(frames) + " (game time " + GameTime(found.steps) +
             "): " + difference;
    if (gameVersion != KORVANE_VERSION)
        desync += " (recorded with Korvane " + PrintableText(gameVersion) + ")";
}

double DemoPlayer::SecondsBeforeFrame(double now) const {
    if (!realTime || next != DemoReader::Record::Frame)
        return 0.0;
    return clock.Wait(now, frame.dt);
}

std::optional<float> DemoPlayer::BeginFrame(float, ActionRecord& live) {
    if (next != DemoReader::Record::Frame || !desync.empty())
        return std::nullopt;
    clock.Begin(glfwGetTime(), frame.dt);
    // The viewer keeps the actions that only change the view (and quitting), ahead of the
    // recording's, as they came between frames; the recording's own view actions were the
    // recorder's business. Everything else is the recording's.
    const ActionRecord& recorded = frame.record;
    ActionRecord record;
    for (Action action : live.pressed)
        if (StateOf(action) == ActionState::Always)
            record.pressed.push_back(action);
    std::size_t focus = 0;
    const auto focusUpTo = [&](std::size_t presses) {
        for (; focus < recorded.focus.size() && recorded.focus[focus].afterPresses <= presses; ++focus)
            record.focus.push_back(
                {static_cast<std::uint32_t>(record.pressed.size()), recorded.focus[focus].focused});
    };
    for (std::size_t i = 0; i < recorded.pressed.size(); ++i) {
        focusUpTo(i);
        if (StateOf(recorded.pressed[i]) != ActionState::Always)
            record.pressed.push_back(recorded.pressed[i]);
    }
    focusUpTo(recorded.pressed.size());
    record.held = recorded.held;
    record.turnYaw = recorded.turnYaw;
    record.turnPitch = recorded.turnPitch;
    live = std::move(record);
    return frame.dt;
}

void DemoPlayer::EndFrame() {
    ++frames;
    const double now = glfwGetTime();
    frameSeconds.push_back(now - lastFrameEnd);
    lastFrameEnd = now;
    Advance();
}
std::string TimedemoLine(const std::vector<double>& frameSeconds) {
    std::vector<double> sorted = frameSeconds;
    std::sort(sorted.begin(), sorted.end());
    double total = 0.0;
    for (double seconds : sorted)
        total += seconds;
    const auto at = [&sorted](double fraction) {
        if (sorted.empty())
            return 0.0;
        const auto index =
            static_cast<std::size_t>(std::lround(fraction * static_cast<double>(sorted.size() - 1)));
        return sorted[index] * 1000.0;
    };
    char line[256];
    std::snprintf(line, sizeof line,
                  "%zu frames, %.2f s, %.1f FPS; frame ms min %.2f / median %.2f / p95 %.2f / max %.2f",
                  sorted.size(), total, total > 0.0 ? static_cast<double>(sorted.size()) / total : 0.0,
                  at(0.0), at(0.5), at(0.95), at(1.0));
    return line;
}
