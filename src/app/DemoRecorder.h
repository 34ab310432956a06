#pragma once
// Live play that is written down as it goes: every frame's dt and action record, a checkpoint of the game's
// state every second of game time (the file is flushed then, so a crash leaves a demo good up to its last
// second), and the end record at Finish().

#include "app/DemoEncoder.h"
#include "app/FrameLoop.h"

#include <cstdint>
#include <cstdio>
#include <string>

class DemoRecorder : public FrameFeed {
public:
    /// Opens `path` and writes the header from the current settings and window size; a file that
    /// cannot be opened, or that another game is recording to, is one line, and the game is
    /// played without recording.
    DemoRecorder(const std::string& path, int width, int height);
    ~DemoRecorder() override;

    std::optional<float> BeginFrame(float pacedDt, ActionRecord& record) override;
    void EndFrame() override;
    /// The final checkpoint and the end record; the file is closed.
    void Finish();

private:
    void Write(const std::string& bytes);
    void WriteCheckpoint();
    void Stop();

    std::string path;
    std::FILE* file = nullptr;
    DemoEncoder encoder;
    DemoFrame frame;
    std::uint32_t frames = 0;
    std::uint32_t lastCheckpointFrame = 0;
    std::uint64_t checkpointSeconds = 0;
};
