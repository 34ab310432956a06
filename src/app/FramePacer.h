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

/// Puts the thread to sleep for `seconds`; nothing for zero or less.
void SleepFor(double seconds);

class FramePacer {
public:
    FramePacer(double frameInterval, double lastSecond, double lastFrame)
        : frameInterval(frameInterval), lastSecond(lastSecond), lastFrame(lastFrame) {}

    /// Whether a frame may go through at `now`: the interval since the last one has passed.
    bool IsFrameDue(double now) const { return !(lastFrame + Interval() > now); }
    /// How long the loop may sleep at `now` and still wake before the next frame is due: the time
    /// left less kSpinMargin, which the loop spins through; 0 when uncapped or already that close;
    /// never more than kLongestSleep, so a cap of a frame an age stays a sleep the clock can hold.
    double SleepBeforeFrame(double now) const;

    /// The stretch before a deadline that is spun rather than slept: on a busy 2-core machine a
    /// sleeper wakes about 0.1 ms late as a rule and 1 ms late one time in a hundred.
    static constexpr double kSpinMargin = 0.001;
    static constexpr double kLongestSleep = 0.1;
    /// A paused game draws at most 30 frames a second: the picture holds still meanwhile.
    static constexpr double kPausedInterval = 1.0 / 30.0;

    /// A new frame cap (the Options menu): the next frame is due this long after the last one.
    void SetFrameInterval(double interval) { frameInterval = interval; }
    /// While paused the interval is at least kPausedInterval; a lower cap than that stays.
    void SetPaused(bool isPaused) { paused = isPaused; }

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
    double Interval() const {
        return paused && frameInterval < kPausedInterval ? kPausedInterval : frameInterval;
    }

    double frameInterval;
    double lastSecond;
    double lastFrame;
    int frames = 0;
    bool paused = false;
};
