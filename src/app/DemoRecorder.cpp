#include "app/DemoRecorder.h"

#include "app/BuildInfo.h"
#include "core/ConfigHandler.h"
#include "core/InputHandler.h"
#include "core/KeyBindings.h"
#include "game/GameWorld.h"
#include "render/Camera.h"

#include <cerrno>
#include <cstring>
#include <iostream>

namespace {
constexpr std::uint64_t kStepsPerCheckpoint = GameWorld::kStepsPerSecond;
} // namespace

DemoRecorder::DemoRecorder(const std::string& path, int width, int height) : path(path) {
    file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::cout << "Cannot record a demo to " << path << ": " << std::strerror(errno)
                  << "; playing without recording" << std::endl;
        return;
    }
    const ConfigHandler& config = ConfigHandler::GetInstance();
    DemoHeader header;
    header.gameVersion = KORVANE_VERSION;
    header.controls = config.SectionText("Controls");
    header.physics = config.SectionText("Physics");
    header.width = width;
    header.height = height;
    header.heldKeys.assign(std::begin(KeyBindings::kHeldKeys), std::end(KeyBindings::kHeldKeys));
    Write(encoder.Header(header));

    InputHandler::GetInstance().SetWindowEventFilter([this](const InputEvent& event) {
        frame.events.push_back(event);
        return true;
    });
    Camera::GetInstance().SetCursorFilter([this](const CursorSample& sample) {
        frame.cursorX = sample.x;
        frame.cursorY = sample.y;
        frame.width = sample.width;
        frame.height = sample.height;
        return sample;
    });
}

DemoRecorder::~DemoRecorder() {
    InputHandler::GetInstance().SetWindowEventFilter({});
    Camera::GetInstance().SetCursorFilter({});
    if (file != nullptr)
        std::fclose(file);
}

std::optional<float> DemoRecorder::BeginFrame(float pacedDt) {
    const InputHandler& input = InputHandler::GetInstance();
    frame.dt = pacedDt;
    frame.held = 0;
    for (std::size_t i = 0; i < std::size(KeyBindings::kHeldKeys); ++i)
        if (input.IsKeyDown(KeyBindings::kHeldKeys[i]))
            frame.held |= 1u << i;
    return pacedDt;
}

void DemoRecorder::EndFrame() {
    Write(encoder.Frame(frame));
    frame.events.clear();
    ++frames;
    const std::uint64_t seconds = GameWorld::GetInstance().GetStepCount() / kStepsPerCheckpoint;
    if (seconds > checkpointSeconds) {
        checkpointSeconds = seconds;
        WriteCheckpoint();
    }
}

void DemoRecorder::WriteCheckpoint() {
    DemoCheckpoint checkpoint;
    checkpoint.frame = frames;
    checkpoint.state = CaptureGameState();
    checkpoint.hash = HashGameState(checkpoint.state);
    Write(encoder.Checkpoint(checkpoint));
    lastCheckpointFrame = frames;
    // Flushed every second of play: what a crash leaves behind replays up to here.
    if (file != nullptr && std::fflush(file) != 0)
        Stop();
}

void DemoRecorder::Finish() {
    if (file == nullptr)
        return;
    if (lastCheckpointFrame != frames || frames == 0)
        WriteCheckpoint();
    Write(encoder.End(DemoEnd{frames, HashGameState(CaptureGameState())}));
    if (file != nullptr && std::fclose(file) != 0) {
        file = nullptr;
        Stop();
    }
    file = nullptr;
}

void DemoRecorder::Write(const std::string& bytes) {
    if (file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        Stop();
}

void DemoRecorder::Stop() {
    std::cout << "Demo recording to " << path << " stopped: " << std::strerror(errno) << "; the game goes on"
              << std::endl;
    if (file != nullptr)
        std::fclose(file);
    file = nullptr;
}
