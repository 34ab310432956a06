#include "app/FramePacer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <thread>

double FrameIntervalFor(float maxFPS) {
    if (!(maxFPS > 0.0f))
        return 0.0;
    return 1.0 / static_cast<double>(maxFPS);
}

std::string ConsoleFpsLine(int frames) {
    std::ostringstream line;
    line << frames << " FPS (" << (1000.0 / frames) << " ms)";
    return line.str();
}

std::string ScreenFpsText(int frames) {
    char milliseconds[64];
    std::snprintf(milliseconds, sizeof milliseconds, "%.2f", 1000.0 / frames);
    return std::to_string(frames) + " FPS (" + milliseconds + " ms)";
}

double FramePacer::SleepBeforeFrame(double now) const {
    const double left = lastFrame + Interval() - now - kSpinMargin;
    return std::clamp(left, 0.0, kLongestSleep);
}

void SleepFor(double seconds) {
    if (seconds > 0.0)
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

FramePacer::Frame FramePacer::BeginFrame(double now) {
    Frame frame;
    ++frames;
    if (now - lastSecond >= 1.0) {
        frame.readoutFrames = frames;
        frames = 0;
        lastSecond += 1.0;
    }
    frame.dt = static_cast<float>(now - lastFrame);
    lastFrame = now;
    return frame;
}
