#pragma once
// Paces the frame loop to the configured frame rate and keeps the once-a-second readout.
// Pure arithmetic on timestamps, so that it can be tested without a window.

#include <string>

/// Seconds between frames for a frame cap; 0 (no cap) for a cap of zero or less.
double FrameIntervalFor(float maxFPS);

/// "60 FPS (16.6667 ms)": the console line, milliseconds in the stream's default format.
std::string ConsoleFpsLine(int frames);
/// "60 FPS (16.67 ms)": the on-screen readout, milliseconds with two decimals.
std::string ScreenFpsText(int frames);

class FramePacer {
public:
    FramePacer(double frameInterval, double lastSecond, double lastFrame)
        : frameInterval(frameInterval), lastSecond(lastSecond), lastFrame(lastFrame) {}

    /// Whether a frame may go through at `now`: the interval since the last one has passed.
    bool IsFrameDue(double now) const { return !(lastFrame + frameInterval > now); }

    struct Frame {
        /// Time since the last let-through frame, spinning included.
        float dt = 0.0f;
        /// Frames of the one-second window that just closed, or 0 when no readout is due.
        int readoutFrames = 0;
    };
    /// Counts a let-through frame at `now`. The readout window advances by exactly one
    /// second, so a frame longer than a second makes the next frame report again.
    Frame BeginFrame(double now);

private:
    double frameInterval;
    double lastSecond;
    double lastFrame;
    int frames = 0;
};
