#pragma once
// A recorded game played back: each frame hands the world the recorded dt and action record,
// while the viewer's own input reaches only the actions that change the view (or quit). At every checkpoint
// the game's state is compared with the recorded one; the first difference stops the replay as a desync.

#include "app/DemoReader.h"
#include "app/FrameLoop.h"

#include <string>
#include <vector>

/// A demo file read into memory and checked from end to end before anything is played.
struct LoadedDemo {
    std::vector<unsigned char> bytes;
    DemoSummary summary;
    /// One line for the player when the file cannot be used ("" when it can).
    std::string error;
};
/// Reads `path` whole (refusing a file larger than any demo can be) and checks it through.
LoadedDemo LoadDemo(const std::string& path);

/// When replayed frames are due: frame n once the recorded times of frames 1 to n have passed
/// since the replay began, so a replay takes as long as its recording whatever the viewer's
/// frame rate. A viewer that falls behind (frames slower than the recording's) shows the next
/// ones at once to catch up, but never by more than kMostBehind: after a stall it goes on from
/// where it is instead of racing through what it missed.
class ReplayClock {
public:
    static constexpr double kMostBehind = 0.25;

    explicit ReplayClock(double start) : shown(start) {}
    /// Seconds from `now` until the next frame, recorded as lasting `dt`, is due (0 or less: due).
    double Wait(double now, float dt) const { return shown + static_cast<double>(dt) - now; }
    /// The next frame, recorded as lasting `dt`, begins at `now`.
    void Begin(double now, float dt) {
        shown += static_cast<double>(dt);
        if (now - shown > kMostBehind)
            shown = now - kMostBehind;
    }

private:
    /// When the last frame was due.
    double shown;
};

class DemoPlayer : public FrameFeed {
public:
    /// Replays `demo` (which must outlive the player) from its first frame; `realTime` false
    /// for a timedemo, whose paused stretches run as fast as the rest.
    explicit DemoPlayer(const LoadedDemo& demo, bool realTime = true);
    ~DemoPlayer() override;

    std::optional<float> BeginFrame(float pacedDt, ActionRecord& record) override;
    void EndFrame() override;
    double SecondsBeforeFrame(double now) const override;
    bool CapsPausedFrames() const override { return realTime; }
    bool TakesLiveTime() const override { return false; }

    /// The desync line, or "" while the replay agrees with the recording.
    const std::string& Desync() const { return desync; }
    /// Frames replayed so far.
    std::uint32_t Frames() const { return frames; }
    /// Wall-clock seconds each replayed frame took, from the end of one to the end of the next.
    const std::vector<double>& FrameSeconds() const { return frameSeconds; }

private:
    void Advance();
    void Compare(const DemoCheckpoint& checkpoint);

    std::string gameVersion;
    DemoReader reader;
    DemoReader::Record next = DemoReader::Record::Stop;
    DemoFrame frame;
    DemoCheckpoint checkpoint;
    DemoEnd end;
    std::uint32_t frames = 0;
    std::string desync;
    std::vector<double> frameSeconds;
    double lastFrameEnd = 0.0;
    bool realTime = true;
    ReplayClock clock{0.0};
};

/// "5400 frames, 12.3 s, 438.2 FPS; frame ms min 1.20 / median 2.04 / p95 3.10 / max 20.50".
std::string TimedemoLine(const std::vector<double>& frameSeconds);
