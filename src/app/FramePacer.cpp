#include "app/FramePacer.h"

#include <cstdio>
#include <sstream>

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
